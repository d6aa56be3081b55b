#include "support/bmp_file.h"

#include <windows.h>

namespace {

template <class Header>
void Put(std::string& bytes, const Header& header) {
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
}

}  // namespace

std::string MakeBmpFile(int width, int height, const std::function<std::uint32_t(int x, int y)>& pixel) {
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    std::string bytes;
    Put(bytes, BITMAPFILEHEADER{0x4D42, offset + imageSize, 0, 0, offset});  // "BM"
    Put(bytes, BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, imageSize, 2835, 2835, 0, 0});
    for (int y = height - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < width; ++x, written += 3) {
            const std::uint32_t color = pixel(x, y);
            bytes.push_back(static_cast<char>((color >> 16) & 0xFF));
            bytes.push_back(static_cast<char>((color >> 8) & 0xFF));
            bytes.push_back(static_cast<char>(color & 0xFF));
        }
        for (; written < stride; ++written) bytes.push_back('\0');
    }
    return bytes;
}
