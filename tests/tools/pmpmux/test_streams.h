#pragma once

#include <string>
#include <vector>

// Small AVI and MP3 files made byte by byte, so each test states exactly the
// oddity it feeds the readers.

std::string Le32Bytes(unsigned value);

// Bit-rate and sample-rate indexes as the header codes them; version bits
// 3 = MPEG-1, 2 = MPEG-2, 0 = MPEG-2.5.
struct Mp3HeaderFields {
    int versionBits = 3;
    int bitRateIndex = 9;     // 128 kbit/s for MPEG-1
    int sampleRateIndex = 0;  // 44100 Hz for MPEG-1
    int padding = 0;
    bool mono = false;
};
std::string Mp3Header(const Mp3HeaderFields& fields);
// A whole frame of the header's size whose body is `fill` (never all zero,
// so it cannot pass for a silent frame).
std::string Mp3FrameBytes(const Mp3HeaderFields& fields, char fill);
// The Info frame LAME writes first (MPEG-1 stereo): side information of zeros, then "Info".
std::string InfoFrame();
std::string Id3v2Tag(unsigned bodySize, bool footer);

// Bytes of an MPEG-4 VOP of the given type (0 = I, 1 = P).
std::string Mpeg4Vop(int codingType, std::size_t size);

struct TestFrame {
    std::string bytes;
    bool keyFrame = false;
};

// A 320x240 AVI as ffmpeg writes it: hdrl with avih and one strl per stream
// (the video first unless an audio stream is asked for first), JUNK, the
// movie list and idx1.
struct AviLayout {
    std::string compression = "XVID";
    unsigned scale = 1001;
    unsigned rate = 30000;
    bool audioStreamFirst = false;  // the video is then stream 1, chunks "01dc"
    bool withIndex = true;
    bool inRecLists = false;  // each frame wrapped in a 'LIST rec '
    std::vector<TestFrame> frames;
};
std::string MakeAvi(const AviLayout& layout);
