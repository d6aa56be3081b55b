#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cvenc/random_access_file.h"

// An MP4, 3GP or 3G2 file is a sequence of boxes: a 32-bit big-endian size
// (1: a 64-bit size follows the type; 0: the box runs to the end of what
// holds it), a four-character type, then the contents.

struct Box {
    std::string type;
    std::uint64_t offset = 0;  // of the box's first byte
    std::uint64_t size = 0;    // header included
    std::uint32_t headerSize = 0;
    bool sizeRunsToEnd = false;  // written as 0
};

// Reads the header at `offset` from the bytes available there (at least 8,
// up to 16, fewer only at the end) for a box that must end by `end`. On
// failure says why in `error`.
bool DecodeBox(const std::uint8_t* bytes, std::size_t available, std::uint64_t offset, std::uint64_t end, Box& box,
               std::string& error);

// The boxes at the top level of the file, in order.
bool ReadTopLevelBoxes(RandomAccessFile& file, std::vector<Box>& boxes, std::string& error);
