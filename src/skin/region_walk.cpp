#include "skin/region_walk.h"

#include <algorithm>

namespace {

struct ChannelRange {
    int low;
    int high;
    bool Holds(int value) const { return value >= low && value <= high; }
};

ChannelRange RangeOf(std::uint32_t key, std::uint32_t tolerance, int shift) {
    const int low = static_cast<int>((key >> shift) & 0xFF);
    return {low, std::min(low + static_cast<int>((tolerance >> shift) & 0xFF), 255)};
}

}  // namespace

std::vector<PixelRun> OpaqueRuns(const std::uint8_t* pixels, int width, int height, std::size_t stride,
                                 std::uint32_t keyColor, std::uint32_t tolerance) {
    const ChannelRange red = RangeOf(keyColor, tolerance, 0);
    const ChannelRange green = RangeOf(keyColor, tolerance, 8);
    const ChannelRange blue = RangeOf(keyColor, tolerance, 16);
    std::vector<PixelRun> runs;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + static_cast<std::size_t>(y) * stride;
        const auto transparent = [&](int x) {
            const std::uint8_t* pixel = row + static_cast<std::size_t>(x) * 4;
            return blue.Holds(pixel[0]) && green.Holds(pixel[1]) && red.Holds(pixel[2]);
        };
        int x = 0;
        while (x < width) {
            while (x < width && transparent(x)) ++x;
            const int start = x;
            while (x < width && !transparent(x)) ++x;
            if (x > start) runs.push_back({start, y, x, y + 1});
        }
    }
    return runs;
}
