#include "pmpmux/pmp_writer.h"

#include <limits>

bool PlanPmp(const AviVideo& video, const Mp3Stream& audio, PmpPlan* plan, std::string* error) {
    *plan = PmpPlan();
    if (video.frames.size() > std::numeric_limits<std::uint32_t>::max()) {
        *error = "the video has more frames than a .pmp file can index";
        return false;
    }
    if (video.width > kPmpLargestFrameSide || video.height > kPmpLargestFrameSide) {
        *error = "the video's frame size " + std::to_string(video.width) + "x" + std::to_string(video.height) +
                 " is implausible for a .pmp file";
        return false;
    }
    AudioTiming timing;
    timing.videoFrames = static_cast<std::uint32_t>(video.frames.size());
    timing.videoScale = video.scale;
    timing.videoRate = video.rate;
    timing.audioFrames = audio.frames.size();
    timing.samplesPerFrame = audio.format.samplesPerFrame;
    timing.sampleRate = audio.format.sampleRate;
    if (!ScheduleAudio(timing, &plan->audio, error)) return false;

    PmpHeader& header = plan->header;
    header.videoFormat = static_cast<std::uint32_t>(video.codec);
    header.videoFrames = timing.videoFrames;
    header.width = video.width;
    header.height = video.height;
    header.videoScale = video.scale;
    header.videoRate = video.rate;
    header.maxAudioFramesPerPacket = plan->audio.maxFramesPerPacket;
    header.audioScale = audio.format.samplesPerFrame;
    header.audioSampleRate = audio.format.sampleRate;
    header.stereo = audio.format.stereo ? 1 : 0;

    std::size_t nextMp3Frame = 0;
    plan->packetSizes.reserve(video.frames.size());
    for (std::size_t i = 0; i < video.frames.size(); ++i) {
        const PacketAudio& packetAudio = plan->audio.packets[i];
        std::uint64_t size = kPmpPacketFixedSize + 4ull * packetAudio.Total() + video.frames[i].size;
        for (std::uint32_t k = 0; k < packetAudio.mp3Frames; ++k) size += audio.frames[nextMp3Frame++].size;
        size += static_cast<std::uint64_t>(packetAudio.silentFrames) * audio.silentFrame.size();
        if (size > kPmpLargestPacket) {
            *error = "video frame " + std::to_string(i) + " makes a packet too large for a .pmp index";
            return false;
        }
        plan->packetSizes.push_back(static_cast<std::uint32_t>(size));
    }
    return true;
}

bool WritePmp(const PmpPlan& plan, const AviVideo& video, ByteSource& videoFile, const Mp3Stream& audio,
              ByteSource& audioFile, ByteSink& out, std::string* error) {
    std::string bytes = EncodePmpHeader(plan.header);
    for (std::size_t i = 0; i < plan.packetSizes.size(); ++i) {
        AppendLe32(bytes, PmpIndexEntry(plan.packetSizes[i], video.frames[i].keyFrame));
    }
    if (!out.Write(bytes.data(), bytes.size())) {
        *error = "cannot write the header";
        return false;
    }

    std::size_t nextMp3Frame = 0;
    std::string packet;
    for (std::size_t i = 0; i < video.frames.size(); ++i) {
        const AviFrame& frame = video.frames[i];
        const PacketAudio& packetAudio = plan.audio.packets[i];
        packet.clear();
        packet += static_cast<char>(packetAudio.Total());
        // The first and last delay are not needed to play the file (FFmpeg
        // skips them), so they stay 0.
        AppendLe32(packet, 0);
        AppendLe32(packet, 0);
        AppendLe32(packet, frame.size);
        for (std::uint32_t k = 0; k < packetAudio.mp3Frames; ++k)
            AppendLe32(packet, audio.frames[nextMp3Frame + k].size);
        for (std::uint32_t k = 0; k < packetAudio.silentFrames; ++k) {
            AppendLe32(packet, static_cast<std::uint32_t>(audio.silentFrame.size()));
        }

        std::size_t at = packet.size();
        packet.resize(plan.packetSizes[i]);
        if (frame.size > 0 && !videoFile.ReadAt(frame.offset, &packet[at], frame.size)) {
            *error = "cannot read video frame " + std::to_string(i) + " at offset " + std::to_string(frame.offset);
            return false;
        }
        at += frame.size;
        for (std::uint32_t k = 0; k < packetAudio.mp3Frames; ++k, ++nextMp3Frame) {
            const Mp3Frame& audioFrame = audio.frames[nextMp3Frame];
            if (!audioFile.ReadAt(audioFrame.offset, &packet[at], audioFrame.size)) {
                *error = "cannot read audio frame " + std::to_string(nextMp3Frame) + " at offset " +
                         std::to_string(audioFrame.offset);
                return false;
            }
            at += audioFrame.size;
        }
        for (std::uint32_t k = 0; k < packetAudio.silentFrames; ++k) {
            packet.replace(at, audio.silentFrame.size(), audio.silentFrame);
            at += audio.silentFrame.size();
        }
        if (!out.Write(packet.data(), packet.size())) {
            *error = "cannot write packet " + std::to_string(i) + " (is the disk full?)";
            return false;
        }
    }
    return true;
}
