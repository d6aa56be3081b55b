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
// A position that FFmpeg does not know ("N/A") or that lies before the start
// (negative, while the first frames are buffered) counts as 0.00: nothing
// encoded yet. Only FFmpeg's own progress line, whole, counts: a source's
// title or a file name that says "time=nan" is a message.
std::optional<std::string> RewriteProgressLine(std::string_view line);

// Everything else cvenc prints goes to the same pipe as the progress lines,
// and the converter takes any "size=" or "time=" in it for progress. So such
// text is written "size =" and "time =" (no other change), wherever it comes
// from: FFmpeg's messages quote a source's tags and file names, and cvenc's
// own quote its command line.
std::string DefuseProgressTokens(std::string_view text);
