// "cvenc -faststart" rewrites a file in place that an encoder has just
// written, or one that is broken. A file it does not move stays exactly as it
// was; a file it moves keeps its size, has its index before its media data,
// every chunk offset of its index points at the same bytes as before,
// and a second run finds nothing left to move.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cvenc/faststart.h"
#include "cvenc/mp4_boxes.h"
#include "fuzz_support.h"
#include "memory_file.h"

namespace {

std::size_t IndexOf(const std::vector<Box>& boxes, const char* type) {
    return std::find_if(boxes.begin(), boxes.end(), [&](const Box& box) { return box.type == type; }) - boxes.begin();
}

std::uint64_t BigEndian(const std::string& bytes, std::uint64_t at, int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Calls visit(type, contents begin, contents end) for each box in [begin, end).
template <typename Visit>
void WalkBoxes(const std::string& file, std::uint64_t begin, std::uint64_t end, Visit visit) {
    while (end - begin >= 8) {
        std::uint64_t size = BigEndian(file, begin, 4);
        std::uint64_t header = 8;
        if (size == 1) {
            if (end - begin < 16) return;
            size = BigEndian(file, begin + 8, 8);
            header = 16;
        } else if (size == 0) {
            size = end - begin;
        }
        if (size < header || size > end - begin) return;
        visit(file.substr(begin + 4, 4), begin + header, begin + size);
        begin += size;
    }
}

struct MediaLayout {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> media;  // the contents of each box but the index
    std::vector<std::uint64_t> chunkOffsets;                     // every 'stco' and 'co64' entry, in order
};

// The tables lie at the end of one path below 'moov'.
void ReadIndex(const std::string& file, std::uint64_t begin, std::uint64_t end, std::size_t level,
               MediaLayout& layout) {
    static const std::string path[] = {"trak", "mdia", "minf", "stbl"};
    WalkBoxes(file, begin, end, [&](const std::string& type, std::uint64_t from, std::uint64_t to) {
        if (level < 4 && type == path[level]) ReadIndex(file, from, to, level + 1, layout);
        if (level < 4 || (type != "stco" && type != "co64") || to - from < 8) return;
        const int width = type == "stco" ? 4 : 8;
        const std::uint64_t count = std::min(BigEndian(file, from + 4, 4), (to - from - 8) / width);
        for (std::uint64_t i = 0; i < count; ++i) {
            layout.chunkOffsets.push_back(BigEndian(file, from + 8 + i * width, width));
        }
    });
}

// Only the first 'moov' is the index: players read no other, and the move
// leaves any other as it was.
MediaLayout ReadLayout(const std::string& file) {
    MediaLayout layout;
    bool sawIndex = false;
    WalkBoxes(file, 0, file.size(), [&](const std::string& type, std::uint64_t from, std::uint64_t to) {
        if (type == "moov" && !sawIndex) {
            sawIndex = true;
            ReadIndex(file, from, to, 0, layout);
        } else {
            layout.media.emplace_back(from, to);
        }
    });
    return layout;
}

// The bytes a chunk offset pointed at outside the index are where it points
// now; one that pointed past the end of the file is kept.
void CheckChunkOffsets(const std::string& original, const std::string& moved) {
    const MediaLayout before = ReadLayout(original);
    const MediaLayout after = ReadLayout(moved);
    FUZZ_CHECK(before.chunkOffsets.size() == after.chunkOffsets.size());
    for (std::size_t i = 0; i < before.chunkOffsets.size(); ++i) {
        const std::uint64_t offset = before.chunkOffsets[i];
        if (offset >= original.size()) FUZZ_CHECK(after.chunkOffsets[i] == offset);
        for (const auto& [from, to] : before.media) {
            if (offset < from || offset >= to) continue;
            const std::uint64_t length = std::min<std::uint64_t>(8, to - offset);
            const std::uint64_t now = after.chunkOffsets[i];
            FUZZ_CHECK(now <= moved.size() && length <= moved.size() - now);
            FUZZ_CHECK(moved.compare(now, length, original, offset, length) == 0);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string original = AsText(data, size);
    MemoryFile file(original);
    const FastStartOutcome outcome = MoveIndexToFront(file);
    FUZZ_CHECK(outcome.result != FastStartResult::Damaged);  // writes in memory never fail
    if (outcome.result != FastStartResult::Moved) {
        FUZZ_CHECK(file.Bytes() == original);
        FUZZ_CHECK(!outcome.message.empty());
        return 0;
    }
    FUZZ_CHECK(file.Bytes().size() == original.size());
    std::vector<Box> boxes;
    std::string error;
    FUZZ_CHECK(ReadTopLevelBoxes(file, boxes, error));
    FUZZ_CHECK(IndexOf(boxes, "moov") < IndexOf(boxes, "mdat"));
    CheckChunkOffsets(original, file.Bytes());

    const std::string moved = file.Bytes();
    FUZZ_CHECK(MoveIndexToFront(file).result == FastStartResult::NothingToMove);
    FUZZ_CHECK(file.Bytes() == moved);
    return 0;
}
