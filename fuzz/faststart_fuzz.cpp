// "cvenc -faststart" rewrites a file in place that an encoder has just
// written, or one that is broken. A file it does not move stays exactly as it
// was; a file it moves keeps its size, has its index before its media data,
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

    const std::string moved = file.Bytes();
    FUZZ_CHECK(MoveIndexToFront(file).result == FastStartResult::NothingToMove);
    FUZZ_CHECK(file.Bytes() == moved);
    return 0;
}
