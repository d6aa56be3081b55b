#include "support/bmp_file.h"

namespace {

void Put(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string MakeBmpFile(int width, int height, const std::function<std::uint32_t(int x, int y)>& pixel) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    std::string bytes = "BM";
    Put(bytes, 14 + 40 + imageSize, 4);
    Put(bytes, 0, 4);
    Put(bytes, 14 + 40, 4);
    Put(bytes, 40, 4);
    Put(bytes, static_cast<std::uint32_t>(width), 4);
    Put(bytes, static_cast<std::uint32_t>(height), 4);
    Put(bytes, 1, 2);
    Put(bytes, 24, 2);
    Put(bytes, 0, 4);
    Put(bytes, imageSize, 4);
    Put(bytes, 2835, 4);
    Put(bytes, 2835, 4);
    Put(bytes, 0, 4);
    Put(bytes, 0, 4);
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
