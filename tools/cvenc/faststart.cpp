#include "cvenc/faststart.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "cvenc/mp4_boxes.h"

namespace {

// Indexes of even long films stay far below this; a larger 'moov' is taken for a broken file.
constexpr std::uint64_t kLargestIndex = 256u * 1024 * 1024;

// The media data is moved in pieces of this size.
constexpr std::size_t kCopyPiece = 1024 * 1024;

// The path from 'moov' to the chunk offset tables, one box for each level.
// Only this path is followed: a file that nests boxes deeper cannot make the
// walk recurse without end.
const char* const kPathToOffsets[] = {"trak", "mdia", "minf", "stbl"};
constexpr std::size_t kOffsetTableLevel = sizeof kPathToOffsets / sizeof kPathToOffsets[0];

// The media data between the old place of the index and its new place moves
// forward by `shift`; offsets into it (all of them, in a normal file) follow.
struct Move {
    std::uint64_t from;
    std::uint64_t to;
    std::uint64_t shift;
    bool Covers(std::uint64_t offset) const { return offset >= from && offset < to; }
};

std::uint64_t GetBigEndian(const std::uint8_t* bytes, int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | bytes[i];
    return value;
}

void PutBigEndian(std::uint8_t* bytes, int count, std::uint64_t value) {
    for (int i = count - 1; i >= 0; --i, value >>= 8) bytes[i] = static_cast<std::uint8_t>(value);
}

// 'stco' (32-bit entries) or 'co64' (64-bit): version and flags, a count, then the offsets.
bool ShiftOffsetTable(std::vector<std::uint8_t>& index, const Box& table, const Move& move, std::string& error) {
    const int width = table.type == "stco" ? 4 : 8;
    const std::uint64_t start = table.offset + table.headerSize;
    const std::uint64_t contents = table.size - table.headerSize;
    if (contents < 8) {
        error = "the '" + table.type + "' table is cut off";
        return false;
    }
    const std::uint64_t count = GetBigEndian(&index[start + 4], 4);
    if (count > (contents - 8) / width) {
        error = "the '" + table.type + "' table claims more offsets than it holds";
        return false;
    }
    const std::uint64_t largest = width == 4 ? UINT32_MAX : UINT64_MAX;
    for (std::uint64_t i = 0; i < count; ++i) {
        std::uint8_t* entry = &index[start + 8 + i * width];
        const std::uint64_t offset = GetBigEndian(entry, width);
        if (!move.Covers(offset)) continue;
        if (offset > largest - move.shift) {
            error = "a chunk offset would no longer fit in '" + table.type + "'";
            return false;
        }
        PutBigEndian(entry, width, offset + move.shift);
    }
    return true;
}

// Walks the boxes inside [begin, end) of the index held in memory, which lie
// `level` boxes below 'moov' on the path to the offset tables.
bool ShiftOffsetsWithin(std::vector<std::uint8_t>& index, std::uint64_t begin, std::uint64_t end, std::size_t level,
                        const Move& move, std::string& error) {
    for (std::uint64_t offset = begin; offset < end;) {
        Box box;
        const std::size_t available = static_cast<std::size_t>(std::min<std::uint64_t>(16, end - offset));
        if (!DecodeBox(&index[offset], available, offset, end, box, error)) return false;
        if (box.type == "cmov") {
            error = "the index is compressed";
            return false;
        }
        if (level == kOffsetTableLevel) {
            if ((box.type == "stco" || box.type == "co64") && !ShiftOffsetTable(index, box, move, error)) return false;
        } else if (box.type == kPathToOffsets[level]) {
            if (!ShiftOffsetsWithin(index, box.offset + box.headerSize, box.offset + box.size, level + 1, move, error))
                return false;
        }
        offset += box.size;
    }
    return true;
}

// Moves [from, to) forward by `shift`, last piece first so nothing is overwritten before it is read.
bool MoveForward(RandomAccessFile& file, const Move& move) {
    std::vector<std::uint8_t> piece(kCopyPiece);
    for (std::uint64_t end = move.to; end > move.from;) {
        const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(kCopyPiece, end - move.from));
        end -= count;
        if (!file.ReadAt(end, piece.data(), count) || !file.WriteAt(end + move.shift, piece.data(), count))
            return false;
    }
    return true;
}

FastStartOutcome NotChanged(const std::string& why) {
    return {FastStartResult::NotChanged, why + "; file left unchanged"};
}

}  // namespace

FastStartOutcome MoveIndexToFront(RandomAccessFile& file) {
    std::vector<Box> boxes;
    std::string error;
    if (!ReadTopLevelBoxes(file, boxes, error)) return NotChanged(error);

    const auto isIndex = [](const Box& box) { return box.type == "moov"; };
    const auto isMedia = [](const Box& box) { return box.type == "mdat"; };
    const auto indexBox = std::find_if(boxes.begin(), boxes.end(), isIndex);
    const auto mediaBox = std::find_if(boxes.begin(), boxes.end(), isMedia);
    if (indexBox == boxes.end()) return NotChanged("there is no 'moov' box");
    if (mediaBox == boxes.end()) return {FastStartResult::NothingToMove, "there is no 'mdat' box; nothing to move"};
    if (indexBox < mediaBox) return {FastStartResult::NothingToMove, "'moov' already comes before 'mdat'"};
    if (indexBox->size > kLargestIndex) return NotChanged("the 'moov' box is too large to be an index");

    Box index = *indexBox;
    const Move move{mediaBox->offset, index.offset, index.size};
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(index.size));
    } catch (const std::bad_alloc&) {
        return NotChanged("not enough memory for the 'moov' box");
    }
    if (!file.ReadAt(index.offset, bytes.data(), bytes.size())) return NotChanged("cannot read the 'moov' box");
    if (!ShiftOffsetsWithin(bytes, index.headerSize, index.size, 0, move, error)) return NotChanged(error);
    // A size of 0 meant "to the end of the file", which stops being true once the index moves.
    if (index.sizeRunsToEnd) {
        if (index.size > UINT32_MAX) return NotChanged("the 'moov' box runs to the end and is too large");
        PutBigEndian(bytes.data(), 4, index.size);
    }

    if (!MoveForward(file, move) || !file.WriteAt(move.from, bytes.data(), bytes.size())) {
        return {FastStartResult::Damaged, "writing failed part way; the file is damaged"};
    }
    return {FastStartResult::Moved, ""};
}
