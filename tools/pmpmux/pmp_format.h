#pragma once

#include <cstdint>
#include <string>

// The .pmp container of the PSP's homebrew media players, as FFmpeg's pmp
// demuxer reads it. Everything is little-endian:
//   header    56 bytes, below
//   index     one u32 per video frame: packet size << 1 | key-frame bit
//   packets   one per video frame: u8 audio frame count (at least 1),
//             u32 first delay, u32 last delay, u32 video frame size,
//             a u32 size per audio frame, the video frame, the audio frames

constexpr std::size_t kPmpHeaderSize = 56;
constexpr std::size_t kPmpIndexEntrySize = 4;
constexpr std::uint32_t kPmpVersion = 1;
constexpr std::uint32_t kPmpAudioMp3 = 0;
// Count byte, two delays and the video size; a u32 per audio frame follows.
constexpr std::size_t kPmpPacketFixedSize = 13;
// The largest packet an index entry can describe (it gives up one bit).
constexpr std::uint64_t kPmpLargestPacket = 0x7FFFFFFF;
// Larger than any picture a PSP player shows; a header beyond it is damaged.
constexpr std::uint32_t kPmpLargestFrameSide = 8192;

struct PmpHeader {
    std::uint32_t videoFormat = 0;  // a VideoCodec value
    std::uint32_t videoFrames = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t videoScale = 0;  // one video frame lasts videoScale / videoRate seconds
    std::uint32_t videoRate = 0;
    std::uint32_t audioFormat = kPmpAudioMp3;
    std::uint32_t audioStreams = 1;
    std::uint32_t maxAudioFramesPerPacket = 0;
    std::uint32_t audioScale = 0;  // samples per audio frame
    std::uint32_t audioSampleRate = 0;
    std::uint32_t stereo = 0;  // channels - 1
};

std::string EncodePmpHeader(const PmpHeader& header);

// Reads the 56 header bytes; false when they do not begin with "pmpm" and
// version 1. The fields are not judged here.
bool DecodePmpHeader(const unsigned char* bytes, PmpHeader* header);

inline std::uint32_t PmpIndexEntry(std::uint32_t packetSize, bool keyFrame) {
    return (packetSize << 1) | (keyFrame ? 1u : 0u);
}
