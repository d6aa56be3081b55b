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
    FUZZ_CHECK(!strings.empty());

    std::string joined;
    bool cut = false;
    for (const std::string& text : strings) {
        FUZZ_CHECK(text.size() <= kProfileTextLimit && text.find('\0') == std::string::npos);
        cut = cut || text.size() == kProfileTextLimit;
        joined += text;
        joined += '\0';

        const ProfileLine line = SplitProfileLine(text);
        FUZZ_CHECK(line.key.find('=') == std::string::npos);
        FUZZ_CHECK(text.find('=') == std::string::npos ? line.key.empty() && line.value == text
                                                       : line.key + "=" + line.value == text);
        ProfileNumber(text);  // the sanitizers watch for overflow
    }
    // Up to the first pair of zero bytes every byte is kept; the block reads
    // as if zeros followed its end.
    const std::string padded = block + '\0';
    const std::size_t end = std::min(padded.find(std::string_view("\0\0", 2)), block.size());
    if (!cut) FUZZ_CHECK(joined == padded.substr(0, end) + '\0');

    if (size >= 4) {
        const int number =
            static_cast<int>(static_cast<unsigned>(data[0]) | static_cast<unsigned>(data[1]) << 8 |
                             static_cast<unsigned>(data[2]) << 16 | static_cast<unsigned>(data[3]) << 24);
        FUZZ_CHECK(ProfileNumber(std::to_string(number)) == number);
    }
    return 0;
}
