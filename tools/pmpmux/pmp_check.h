#pragma once

#include <string>

#include "pmpmux/byte_io.h"
#include "pmpmux/mp3_frames.h"

// Reads a written .pmp file back and proves it sound before the conversion
// calls it done: a sane header that matches the MP3, an index whose entries
// are the packets' sizes, packets that parse and add up exactly, and audio
// that is the MP3's frames in order, distributed by time (silent frames only
// after the last of them), with nothing after the last packet. Video frames
// are opaque here: packed-bitstream AVIs legitimately hold 1-byte
// placeholder frames that no start-code rule would accept. On the first fault
// returns false with a one-line description in `error`.
bool CheckPmp(ByteSource& pmp, const Mp3Stream& audio, ByteSource& audioFile, std::string* error);
