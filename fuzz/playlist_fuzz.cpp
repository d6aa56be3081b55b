// VavuDuzuv appends to a playlist that a user or a player may have edited.
// Whatever it holds: the existing bytes are never changed, the path ends up
// on a line of its own, and a second addition adds nothing.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "vavuduzuv/playlist_update.h"

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

// Input: the path, a zero byte, then the playlist's bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = AsText(data, size);
    const std::size_t zero = input.find('\0');
    if (zero == std::string::npos) return 0;
    const std::string path = input.substr(0, zero);
    const std::string existing = input.substr(zero + 1);
    // A path is one line and names a file.
    if (path.empty() || path.front() == '#' || path.find_first_of("\r\n") != std::string::npos) return 0;

    const std::string addition = PlaylistAddition(existing, path, SameIgnoringCase);
    if (!addition.empty()) {
        const std::string line = path + "\r\n";
        FUZZ_CHECK(addition.size() >= line.size() &&
                   addition.compare(addition.size() - line.size(), line.size(), line) == 0);
        const std::string after = existing + addition;
        FUZZ_CHECK(after.size() == line.size() || after[after.size() - line.size() - 1] == '\n');
    }
    FUZZ_CHECK(PlaylistAddition(existing + addition, path, SameIgnoringCase).empty());
    return 0;
}
