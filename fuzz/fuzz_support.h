#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

// A property that does not hold is a finding like a crash: say which, and
// stop so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                             \
    do {                                                                                                  \
        if (!(condition)) {                                                                               \
            std::fprintf(stderr, "property does not hold: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                                 \
        }                                                                                                 \
    } while (false)

inline std::string AsText(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Inputs made of several texts hold them one after the other, each ended by a
// zero byte (the last one may be open).
inline std::vector<std::string> ZeroSeparated(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            parts.emplace_back();
        } else {
            parts.back() += static_cast<char>(data[i]);
        }
    }
    return parts;
}

// Inputs made of two files: the first one's length (4 bytes, little-endian),
// the first file, then the second one, which takes the rest.
inline std::pair<std::string, std::string> TwoFiles(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return {};
    std::size_t first = 0;
    for (int i = 3; i >= 0; --i) first = (first << 8) | data[i];
    const std::string rest = AsText(data + 4, size - 4);
    if (first > rest.size()) first = rest.size();
    return {rest.substr(0, first), rest.substr(first)};
}

inline std::string Le32Text(std::uint32_t value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes;
}
