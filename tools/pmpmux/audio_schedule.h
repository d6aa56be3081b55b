#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Which audio frames travel with which video frame in a .pmp file. Audio
// frame k starts at k * samplesPerFrame / sampleRate seconds; video frame i
// takes every audio frame that starts before its own end and was not taken
// by an earlier frame. Where the MP3 runs out first, silent frames continue
// its time grid to the end of the video; audio that starts after the end of
// the video is dropped.

struct AudioTiming {
    std::uint32_t videoFrames = 0;
    std::uint32_t videoScale = 0;  // one video frame lasts videoScale / videoRate seconds
    std::uint32_t videoRate = 0;
    std::uint64_t audioFrames = 0;  // in the MP3
    std::uint32_t samplesPerFrame = 0;
    std::uint32_t sampleRate = 0;
};

struct PacketAudio {
    std::uint32_t mp3Frames = 0;     // taken from the MP3, in order
    std::uint32_t silentFrames = 0;  // padding after the MP3's last frame
    std::uint32_t Total() const { return mp3Frames + silentFrames; }
};

struct AudioSchedule {
    std::vector<PacketAudio> packets;  // one per video frame
    std::uint32_t maxFramesPerPacket = 0;
    std::uint64_t mp3FramesUsed = 0;
};

// A packet names its audio frames in one byte and may not name none, so every
// video frame must last at least as long as an audio frame and at most 255
// of them; other timings are refused with the reason in `error`.
bool ScheduleAudio(const AudioTiming& timing, AudioSchedule* schedule, std::string* error);
