#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The bytes of a 24-bit .bmp file, stored bottom row first as such files are.
// `pixel` gives each pixel's colour as 0x00BBGGRR (a COLORREF), x and y
// counted from the top-left corner.
std::string MakeBmpFile(int width, int height, const std::function<std::uint32_t(int x, int y)>& pixel);
