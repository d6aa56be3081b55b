#include "pmpmux/audio_schedule.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace {

constexpr std::uint64_t kMostFramesPerPacket = 255;

std::string PerSecond(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

}  // namespace

bool ScheduleAudio(const AudioTiming& timing, AudioSchedule* schedule, std::string* error) {
    *schedule = AudioSchedule();
    if (timing.videoScale == 0 || timing.videoRate == 0 || timing.samplesPerFrame == 0 || timing.sampleRate == 0) {
        *error = "frame durations must not be zero";
        return false;
    }
    // Audio frames per video frame, as the fraction perVideo / perAudio. Both
    // stay below 2^48, so the running sums below cannot overflow.
    std::uint64_t perVideo = static_cast<std::uint64_t>(timing.videoScale) * timing.sampleRate;
    std::uint64_t perAudio = static_cast<std::uint64_t>(timing.samplesPerFrame) * timing.videoRate;
    const std::uint64_t common = std::gcd(perVideo, perAudio);
    perVideo /= common;
    perAudio /= common;

    const double videoFramesPerSecond = static_cast<double>(timing.videoRate) / timing.videoScale;
    const double audioFramesPerSecond = static_cast<double>(timing.sampleRate) / timing.samplesPerFrame;
    if (perVideo < perAudio) {
        *error = "the video has more frames per second (" + PerSecond(videoFramesPerSecond) + ") than the audio (" +
                 PerSecond(audioFramesPerSecond) + "), but every video frame needs at least one audio frame";
        return false;
    }
    const std::uint64_t mostPerPacket = perVideo / perAudio + (perVideo % perAudio > 0 ? 1 : 0);
    if (mostPerPacket > kMostFramesPerPacket) {
        *error = "the video has too few frames per second (" + PerSecond(videoFramesPerSecond) +
                 ") for a packet to hold all the audio frames of one video frame (at most 255)";
        return false;
    }

    // Audio frames that start before the end of video frame i:
    // ceil((i + 1) * perVideo / perAudio), kept as a whole part and a remainder.
    const std::uint64_t step = perVideo / perAudio;
    const std::uint64_t stepRemainder = perVideo % perAudio;
    std::uint64_t whole = 0;
    std::uint64_t remainder = 0;
    std::uint64_t takenBefore = 0;
    schedule->packets.resize(timing.videoFrames);
    for (PacketAudio& packet : schedule->packets) {
        whole += step;
        remainder += stepRemainder;
        if (remainder >= perAudio) {
            remainder -= perAudio;
            ++whole;
        }
        const std::uint64_t takenAfter = whole + (remainder > 0 ? 1 : 0);
        const std::uint64_t mp3Before = std::min(takenBefore, timing.audioFrames);
        const std::uint64_t mp3After = std::min(takenAfter, timing.audioFrames);
        packet.mp3Frames = static_cast<std::uint32_t>(mp3After - mp3Before);
        packet.silentFrames = static_cast<std::uint32_t>((takenAfter - takenBefore) - packet.mp3Frames);
        schedule->maxFramesPerPacket = std::max(schedule->maxFramesPerPacket, packet.Total());
        takenBefore = takenAfter;
    }
    schedule->mp3FramesUsed = std::min(takenBefore, timing.audioFrames);
    return true;
}
