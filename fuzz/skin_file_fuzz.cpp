// A skin file is whatever a user or a skin author saved. Whatever its bytes,
// a key's value is the rest of the first line that starts with "key=", read
// as every line is: lower-cased, cut at any byte outside 0x20 to 0x7F, and
// never longer than the line limit and one marking byte.
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_support.h"
#include "skin/skin_file.h"

namespace {

struct Found {
    bool found = false;
    std::string value;
};

// The same rule, written as plainly as it can be.
Found ReadByTheRule(const std::string& bytes, const std::string& key) {
    std::string line;
    bool inLine = false;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        const unsigned char byte = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
        if (byte >= 0x20 && byte <= 0x7F) {
            if (line.size() <= kSkinLineLimit) line += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte);
            inLine = true;
            continue;
        }
        if (inLine && line.compare(0, key.size() + 1, key + "=") == 0) return {true, line.substr(key.size() + 1)};
        line.clear();
        inLine = false;
    }
    return {};
}

}  // namespace

// Input: the key, a zero byte, then the file's bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = AsText(data, size);
    const std::size_t zero = input.find('\0');
    if (zero == std::string::npos) return 0;
    const std::string key = input.substr(0, zero);
    std::string bytes = input.substr(zero + 1);
    // Keys are asked for in lower case and hold no "=".
    if (key.find_first_not_of("abcdefghijklmnopqrstuvwxyz_0123456789") != std::string::npos) return 0;

    std::FILE* file = fmemopen(bytes.data(), bytes.size() + 1, "rb");
    if (!file) return 0;
    std::string value;
    // The extra zero byte at the end ends the last line as the end of a file would.
    const bool found = LookUpSkinValue(file, key, value);
    std::fclose(file);

    const Found expected = ReadByTheRule(bytes, key);
    FUZZ_CHECK(found == expected.found);
    FUZZ_CHECK(value == expected.value);
    FUZZ_CHECK(value.size() <= kSkinLineLimit + 1);
    return 0;
}
