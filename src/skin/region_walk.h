#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The shape of a window cut from a picture: every pixel that is not of the
// transparent key colour belongs to the window. The picture comes as 32-bit
// pixels (bytes blue, green, red, unused), rows from the top of the image
// down, `stride` bytes apart.

// A rectangle one pixel row high, right and bottom exclusive.
struct PixelRun {
    int left;
    int top;
    int right;
    int bottom;
};

// Colours as 0x00BBGGRR, the layout of a Win32 COLORREF. A pixel is
// transparent when each of its channels lies between the key's channel and
// that channel plus the tolerance's same channel (at most 255).
std::vector<PixelRun> OpaqueRuns(const std::uint8_t* pixels, int width, int height, std::size_t stride,
                                 std::uint32_t keyColor, std::uint32_t tolerance);
