#pragma once

#include <cstdint>

#include "tasks/conversion_item.h"

// Reads the encoder's progress out of one chunk of its output, exactly as one
// read returned it: lines are not reassembled, so a token split between two
// chunks is missed in both, and only the first "size=" and "time=" count.
//
// "size=" is followed, within 8 characters, by kilobytes (blanks first
// allowed). "time=" is followed by seconds, of which the first 5 characters
// are read ("12.34", "1234."), or by the clock form H:MM:SS.ff that FFmpeg
// prints, read as seconds. The text may come from anywhere (a source's title
// printed by the encoder), so a time is always finite and never negative:
// plain seconds are digits and one '.' only, anything else reads as 0.
struct ProgressTokens {
    bool hasSize = false;
    std::int32_t sizeKB = 0;
    bool hasTime = false;
    double time = 0.0;
};
ProgressTokens ReadProgressTokens(const char* chunk);

// Puts a chunk's progress into the item: size, encoded time, and the speed
// (seconds encoded per second since the item started; 0 while no time has
// passed). True when the encoder should be stopped now: an exported item's
// intermediate may run past the chosen range, so once its encoded time
// reaches the range's length (and some output exists) the encoding is done.
bool ApplyProgress(ConversionItem& item, const char* chunk, std::uint32_t nowTick, std::uint32_t itemStartTick);
