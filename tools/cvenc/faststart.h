#pragma once

#include <string>

#include "cvenc/random_access_file.h"

// A phone can play an MP4/3GP file while it is still arriving only if the
// index (the 'moov' box) comes before the media data ('mdat'), but encoders
// write the index last, when they know it. This moves 'moov' in front of the
// first 'mdat' in place and adds the distance the media data moved to every
// chunk offset in the index ('stco' and 'co64' of each track), changing
// nothing else.

enum class FastStartResult {
    Moved,
    NothingToMove,  // 'moov' already comes first, or there is no media data
    NotChanged,     // the file could not be read as boxes; it is left as it was
    Damaged,        // writing failed part way
};

struct FastStartOutcome {
    FastStartResult result;
    std::string message;  // empty after a move
};

// Everything is read and checked before the first byte is written.
FastStartOutcome MoveIndexToFront(RandomAccessFile& file);
