#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pmpmux/byte_io.h"
#include "pmpmux/video_codec.h"

// The first video stream of an AVI file as the muxer needs it: what it is,
// how fast it runs, and where each frame's bytes lie. The frames themselves
// stay in the file and are read while the .pmp is written.

struct AviFrame {
    std::uint64_t offset = 0;  // of the frame's bytes in the file
    std::uint32_t size = 0;    // 0 for a dropped frame, which still takes its time
    bool keyFrame = false;
};

struct AviVideo {
    VideoCodec codec = VideoCodec::kMpeg4;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // One frame lasts scale / rate seconds; the fraction is in lowest terms.
    std::uint32_t scale = 0;
    std::uint32_t rate = 0;
    std::vector<AviFrame> frames;
    // Whether the file has an audio stream too: without one, a missing MP3
    // means the source was silent rather than that extracting it failed.
    bool hasAudio = false;
};

// Reads the headers and the movie list of an AVI file (chunks in 'LIST rec '
// groups and JUNK chunks included). Key frames come from the idx1 index when
// it describes every frame, else from the bitstream. OpenDML files that go on
// past their first RIFF (beyond 1 GiB) are refused. On failure returns false
// with a one-line reason in `error`.
bool ReadAviVideo(ByteSource& file, AviVideo* video, std::string* error);
