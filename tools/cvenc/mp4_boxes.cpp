#include "cvenc/mp4_boxes.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kShortHeader = 8;
constexpr std::uint32_t kLongHeader = 16;

std::uint64_t ReadBigEndian(const std::uint8_t* bytes, int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | bytes[i];
    return value;
}

std::string Where(std::uint64_t offset) { return " at offset " + std::to_string(offset); }

}  // namespace

bool DecodeBox(const std::uint8_t* bytes, std::size_t available, std::uint64_t offset, std::uint64_t end, Box& box,
               std::string& error) {
    if (available < kShortHeader || end - offset < kShortHeader) {
        error = "a box header" + Where(offset) + " is cut off";
        return false;
    }
    box.type.assign(reinterpret_cast<const char*>(bytes + 4), 4);
    box.offset = offset;
    box.headerSize = kShortHeader;
    box.sizeRunsToEnd = false;
    box.size = ReadBigEndian(bytes, 4);
    if (box.size == 1) {
        if (available < kLongHeader || end - offset < kLongHeader) {
            error = "the 64-bit size of box '" + box.type + "'" + Where(offset) + " is cut off";
            return false;
        }
        box.size = ReadBigEndian(bytes + kShortHeader, 8);
        box.headerSize = kLongHeader;
    } else if (box.size == 0) {
        box.size = end - offset;
        box.sizeRunsToEnd = true;
    }
    if (box.size < box.headerSize || box.size > end - offset) {
        error = "box '" + box.type + "'" + Where(offset) + " has a size of " + std::to_string(box.size) +
                " bytes, which does not fit";
        return false;
    }
    return true;
}

bool ReadTopLevelBoxes(RandomAccessFile& file, std::vector<Box>& boxes, std::string& error) {
    boxes.clear();
    const std::uint64_t end = file.Size();
    if (end == 0) {
        error = "the file is empty or cannot be read";
        return false;
    }
    for (std::uint64_t offset = 0; offset < end;) {
        std::uint8_t header[kLongHeader];
        const std::size_t available = static_cast<std::size_t>(std::min<std::uint64_t>(kLongHeader, end - offset));
        if (!file.ReadAt(offset, header, available)) {
            error = "cannot read" + Where(offset);
            return false;
        }
        Box box;
        if (!DecodeBox(header, available, offset, end, box, error)) return false;
        boxes.push_back(box);
        offset += box.size;
    }
    return true;
}
