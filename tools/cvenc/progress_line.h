#pragma once

#include <optional>
#include <string>
#include <string_view>

// FFmpeg reports its position as a clock ("time=01:02:05.50"), the converter
// reads seconds ("time=3725.50", of which it uses the first five characters).
// FFmpeg 4.1's progress line looks like
//   frame=  250 fps= 25 q=3.0 size=     512kB time=00:00:10.00 bitrate= 419.4kbits/s speed=1.2x
// (the last one says "Lsize=", an audio-only one starts at "size=").

// The line with its time in seconds (two decimals) and an unknown size as
// 0 kB, when it is a progress line; nothing for FFmpeg's other messages.
// A position that FFmpeg does not know ("N/A"), that lies before the start
// (negative, while the first frames are buffered) or that cannot be read
// counts as 0.00: nothing encoded yet.
std::optional<std::string> RewriteProgressLine(std::string_view line);
