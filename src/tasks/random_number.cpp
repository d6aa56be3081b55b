#include "tasks/random_number.h"

#include <cstdint>

namespace {

// One step of the classic linear congruential generator; the same values on
// every platform, unlike the C library's rand().
int FirstValueForSeed(std::uint32_t seed) {
    const std::uint32_t state = seed * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

}  // namespace

int DrawNumber(int low, int high, std::time_t now) {
    if (high < low) return low;
    const std::int64_t r = FirstValueForSeed(static_cast<std::uint32_t>(now));
    return static_cast<int>(low + r * (static_cast<std::int64_t>(high) - low + 1) / 32767);
}

int DrawNumber(int low, int high) { return DrawNumber(low, high, std::time(nullptr)); }
