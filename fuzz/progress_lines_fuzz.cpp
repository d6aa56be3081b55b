// The export reads FFmpeg's "-progress pipe:1" blocks in whatever pieces the
// pipe hands over. Whatever the bytes and wherever they are cut, the positions
// are those of the complete lines of at most 256 bytes that begin
// "out_time_ms=" with a number that is not negative, in their order. A line
// without end takes no more memory than the longest line it could use.
//
// Input: one byte, the size of the pieces less one, then the text.
#include <sanitizer/allocator_interface.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "player/progress_lines.h"

namespace {

// The largest block allocated while watching. The sanitizer's allocator tells
// of every block, whichever form of new or malloc asked for it, so that the
// harness need not replace an allocation function libFuzzer also uses.
bool watching = false;
std::size_t largestAllocation = 0;

void NoteAllocation(const volatile void*, std::size_t size) {
    if (watching && size > largestAllocation) largestAllocation = size;
}
void NoteRelease(const volatile void*) {}

// A megabyte in one line without end.
bool EndlessLineStaysSmall() {
    if (__sanitizer_install_malloc_and_free_hooks(NoteAllocation, NoteRelease) == 0) return false;
    ProgressLines lines;
    const std::string piece(4096, '9');
    watching = true;
    for (int k = 0; k < 256; ++k) lines.Feed(piece.data(), piece.size());
    watching = false;
    return largestAllocation <= 1024;
}

std::vector<double> FedInPieces(const std::string& text, std::size_t piece) {
    ProgressLines lines;
    std::vector<double> positions;
    for (std::size_t at = 0; at < text.size(); at += piece) {
        const std::vector<double> got = lines.Feed(text.data() + at, std::min(piece, text.size() - at));
        positions.insert(positions.end(), got.begin(), got.end());
    }
    return positions;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool endlessLineStaysSmall = EndlessLineStaysSmall();
    FUZZ_CHECK(endlessLineStaysSmall);
    if (size == 0) return 0;
    const std::string text = AsText(data + 1, size - 1);

    std::vector<double> expected;
    for (std::size_t start = 0, end = text.find('\n'); end != std::string::npos;
         start = end + 1, end = text.find('\n', start)) {
        const std::string line = text.substr(start, end - start);
        if (line.size() > 256 || line.rfind("out_time_ms=", 0) != 0) continue;
        char* after = nullptr;
        errno = 0;
        const long long microseconds = std::strtoll(line.c_str() + 12, &after, 10);
        if (after != line.c_str() + 12 && errno == 0 && microseconds >= 0) expected.push_back(microseconds / 1e6);
    }

    FUZZ_CHECK(FedInPieces(text, text.size() + 1) == expected);
    FUZZ_CHECK(FedInPieces(text, 1) == expected);
    FUZZ_CHECK(FedInPieces(text, data[0] + 1u) == expected);
    return 0;
}
