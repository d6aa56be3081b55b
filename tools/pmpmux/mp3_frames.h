#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pmpmux/byte_io.h"

// The audio frames of an MP3 file: MPEG-1, 2 or 2.5 layer III, all of one
// format. A .pmp carries them one by one, so the muxer needs each frame's
// place and size, not the decoded sound.

enum class MpegVersion { kMpeg1, kMpeg2, kMpeg25 };

struct Mp3Format {
    MpegVersion version = MpegVersion::kMpeg1;
    std::uint32_t sampleRate = 0;
    std::uint32_t samplesPerFrame = 0;  // 1152 for MPEG-1, 576 for MPEG-2 and 2.5
    bool stereo = false;                // any mode but single channel

    bool operator==(const Mp3Format& other) const {
        return version == other.version && sampleRate == other.sampleRate && stereo == other.stereo;
    }
    bool operator!=(const Mp3Format& other) const { return !(*this == other); }
};

// "MPEG-1 layer III, 44100 Hz, stereo", for messages.
std::string DescribeFormat(const Mp3Format& format);

struct Mp3FrameHeader {
    Mp3Format format;
    std::uint32_t size = 0;  // the whole frame, header included
    bool hasCrc = false;
    std::uint32_t sideInfoSize = 0;
};

constexpr std::size_t kMp3HeaderSize = 4;

// Reads a 4-byte frame header. Refuses, with the reason, anything but a
// layer III header with a known bit rate and sample rate (free-format
// streams have no frame size in their headers, so they cannot be split).
bool ParseMp3FrameHeader(const unsigned char* bytes, Mp3FrameHeader* header, std::string* error);

struct Mp3Frame {
    std::uint64_t offset = 0;
    std::uint32_t size = 0;
};

struct Mp3Stream {
    Mp3Format format;
    std::vector<Mp3Frame> frames;
    // A frame of the same format that decodes as silence: a header followed
    // by zero bytes (no side information, so no sound).
    std::string silentFrame;
};

// Finds every audio frame, skipping ID3v2 tags at the start (and zero bytes
// after them), a Xing, Info or VBRI frame first, and an ID3v1 tag at the end.
// Anything else that is not a frame of the first frame's format, including a
// last frame cut short, is refused with a one-line reason in `error`.
bool ReadMp3Stream(ByteSource& file, Mp3Stream* stream, std::string* error);

// The sound of a silent source: no frames, so that a .pmp made with it holds
// only silent frames of MPEG-1 layer III at 44100 Hz, stereo, 128 kbit/s.
Mp3Stream SilentMp3Stream();

// Whether the bytes are one frame of the format that holds nothing after its
// header: the padding that a .pmp gets when the audio ends before the video.
bool IsSilentFrame(const std::string& frame, const Mp3Format& format);
