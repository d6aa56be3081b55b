// Windows hands the profile reader blocks of zero-terminated strings, cut off
// at the block's size when a section is larger. Whatever the bytes, the walk
// keeps to the limits and loses nothing it did not have to cut.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/profile_block.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string block = AsText(data, size);
    const std::vector<std::string> strings = WalkProfileBlock(block.data(), block.size());
    for (const std::string& text : strings) {
        const ProfileLine line = SplitProfileLine(text);
        FUZZ_CHECK(line.key.find('=') == std::string::npos);
        FUZZ_CHECK(text.find('=') == std::string::npos ? line.key.empty() && line.value == text
                                                       : line.key + "=" + line.value == text);
        ProfileNumber(text);  // the sanitizers watch for overflow
    }
    // The block ends at its first pair of zero bytes, else at its size (read
    // as if zeros followed it); every string up to there is kept, even an
    // empty one, each cut to the limit.
    const std::string padded = block + '\0';
    const std::size_t end = std::min(padded.find(std::string_view("\0\0", 2)), block.size());
    std::vector<std::string> expected(1);
    for (const char byte : padded.substr(0, end)) {
        if (byte == '\0') {
            expected.emplace_back();
        } else if (expected.back().size() < kProfileTextLimit) {
            expected.back() += byte;
        }
    }
    FUZZ_CHECK(strings == expected);

    if (size >= 4) {
        const int number =
            static_cast<int>(static_cast<unsigned>(data[0]) | static_cast<unsigned>(data[1]) << 8 |
                             static_cast<unsigned>(data[2]) << 16 | static_cast<unsigned>(data[3]) << 24);
        FUZZ_CHECK(ProfileNumber(std::to_string(number)) == number);
    }
    return 0;
}
