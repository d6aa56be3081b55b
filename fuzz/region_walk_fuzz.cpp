// A skin's pictures cut the shape of its windows: every pixel not of the
// transparent key colour (within the tolerance) belongs to the window.
// Whatever the picture, the key and the tolerance, the runs are one row high,
// inside the picture, as long as they can be, and cover exactly the pixels
// that are not transparent.
//
// Input: width and height (one byte each), the key colour and the tolerance
// (three bytes each, red first), then the pixels (four bytes each, blue
// first, rows padded to a whole number of pixels).
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "skin/region_walk.h"

namespace {

std::uint32_t Colour(const std::uint8_t* bytes) { return bytes[0] | bytes[1] << 8 | bytes[2] << 16; }

bool Transparent(const std::uint8_t* pixel, std::uint32_t key, std::uint32_t tolerance) {
    for (int channel = 0; channel < 3; ++channel) {
        const int low = key >> (8 * channel) & 0xFF;
        const int high = low + (tolerance >> (8 * channel) & 0xFF);
        const int value = pixel[2 - channel];  // red, green, blue lie at bytes 2, 1, 0
        if (value < low || value > high) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    const int width = data[0] % 64;
    const int height = data[1] % 64;
    const std::uint32_t key = Colour(data + 2);
    const std::uint32_t tolerance = Colour(data + 5);
    const std::size_t stride = static_cast<std::size_t>(width) * 4 + (data[0] / 64) * 4;
    std::vector<std::uint8_t> pixels(stride * height);
    for (std::size_t i = 0; i < pixels.size() && 8 + i < size; ++i) pixels[i] = data[8 + i];

    const std::vector<PixelRun> runs = OpaqueRuns(pixels.data(), width, height, stride, key, tolerance);
    std::vector<int> covered(static_cast<std::size_t>(width) * height, 0);
    for (const PixelRun& run : runs) {
        FUZZ_CHECK(run.bottom == run.top + 1 && run.top >= 0 && run.top < height);
        FUZZ_CHECK(run.left >= 0 && run.left < run.right && run.right <= width);
        for (int x = run.left; x < run.right; ++x) ++covered[static_cast<std::size_t>(run.top) * width + x];
        const std::uint8_t* row = pixels.data() + run.top * stride;
        // As long as they can be: the pixels on either side are transparent or outside.
        FUZZ_CHECK(run.left == 0 || Transparent(row + (run.left - 1) * 4, key, tolerance));
        FUZZ_CHECK(run.right == width || Transparent(row + run.right * 4, key, tolerance));
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool opaque = !Transparent(pixels.data() + y * stride + x * 4, key, tolerance);
            FUZZ_CHECK(covered[static_cast<std::size_t>(y) * width + x] == (opaque ? 1 : 0));
        }
    }
    return 0;
}
