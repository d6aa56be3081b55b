#include "pmpmux/pmp_check.h"

#include <cstdint>
#include <vector>

#include "pmpmux/audio_schedule.h"
#include "pmpmux/pmp_format.h"
#include "pmpmux/video_codec.h"

namespace {

class PmpChecker {
public:
    PmpChecker(ByteSource& pmp, const Mp3Stream& audio, ByteSource& audioFile, std::string& error)
        : pmp_(pmp), audio_(audio), audioFile_(audioFile), error_(error) {}

    bool Check() { return CheckHeader() && ReadIndex() && PlanAudio() && CheckPackets(); }

private:
    bool Fail(const std::string& message) {
        error_ = message;
        return false;
    }

    bool CheckHeader() {
        unsigned char bytes[kPmpHeaderSize];
        if (pmp_.Size() < kPmpHeaderSize || !pmp_.ReadAt(0, bytes, sizeof bytes))
            return Fail("too short for a .pmp header");
        if (!DecodePmpHeader(bytes, &header_)) return Fail("not a .pmp file (no 'pmpm' version 1 header)");
        if (header_.videoFormat > static_cast<std::uint32_t>(VideoCodec::kH264)) {
            return Fail("unknown video format " + std::to_string(header_.videoFormat));
        }
        if (header_.videoFrames == 0) return Fail("the header counts no video frames");
        if (header_.width == 0 || header_.height == 0 || header_.width > kPmpLargestFrameSide ||
            header_.height > kPmpLargestFrameSide) {
            return Fail("implausible frame size " + std::to_string(header_.width) + "x" +
                        std::to_string(header_.height));
        }
        if (header_.videoScale == 0 || header_.videoRate == 0) return Fail("the header gives no frame rate");
        if (header_.audioFormat != kPmpAudioMp3)
            return Fail("audio format " + std::to_string(header_.audioFormat) + " is not MP3");
        if (header_.audioStreams != 1)
            return Fail(std::to_string(header_.audioStreams) + " audio streams instead of 1");
        const Mp3Format& mp3 = audio_.format;
        if (header_.audioScale != mp3.samplesPerFrame || header_.audioSampleRate != mp3.sampleRate ||
            header_.stereo != (mp3.stereo ? 1u : 0u)) {
            return Fail("the header's audio (" + std::to_string(header_.audioSampleRate) + " Hz, " +
                        std::to_string(header_.audioScale) + " samples per frame, " +
                        std::to_string(header_.stereo + 1) + " channels) is not the MP3's (" + DescribeFormat(mp3) +
                        ")");
        }
        return true;
    }

    bool ReadIndex() {
        const std::uint64_t indexBytes = static_cast<std::uint64_t>(header_.videoFrames) * kPmpIndexEntrySize;
        if (indexBytes > pmp_.Size() - kPmpHeaderSize) return Fail("the index runs past the end of the file");
        std::vector<unsigned char> bytes(static_cast<std::size_t>(indexBytes));
        if (!pmp_.ReadAt(kPmpHeaderSize, bytes.data(), bytes.size())) return Fail("cannot read the index");
        index_.resize(header_.videoFrames);
        for (std::size_t i = 0; i < index_.size(); ++i) index_[i] = Le32(&bytes[i * kPmpIndexEntrySize]);
        return true;
    }

    bool PlanAudio() {
        AudioTiming timing;
        timing.videoFrames = header_.videoFrames;
        timing.videoScale = header_.videoScale;
        timing.videoRate = header_.videoRate;
        timing.audioFrames = audio_.frames.size();
        timing.samplesPerFrame = audio_.format.samplesPerFrame;
        timing.sampleRate = audio_.format.sampleRate;
        std::string why;
        if (!ScheduleAudio(timing, &schedule_, &why)) return Fail("the header's timing is unusable: " + why);
        if (header_.maxAudioFramesPerPacket != schedule_.maxFramesPerPacket) {
            return Fail("the header gives at most " + std::to_string(header_.maxAudioFramesPerPacket) +
                        " audio frames per packet but the packets hold up to " +
                        std::to_string(schedule_.maxFramesPerPacket));
        }
        return true;
    }

    bool CheckPackets() {
        std::uint64_t at = kPmpHeaderSize + static_cast<std::uint64_t>(index_.size()) * kPmpIndexEntrySize;
        for (std::size_t i = 0; i < index_.size(); ++i) {
            packetName_ = "packet " + std::to_string(i) + " (offset " + std::to_string(at) + ")";
            const std::uint32_t size = index_[i] >> 1;
            if (size > pmp_.Size() - at) return Fail(packetName_ + " runs past the end of the file");
            if (!CheckPacket(at, size, schedule_.packets[i])) return false;
            at += size;
        }
        if (at != pmp_.Size()) return Fail(std::to_string(pmp_.Size() - at) + " bytes follow the last packet");
        return true;
    }

    bool CheckPacket(std::uint64_t at, std::uint32_t size, const PacketAudio& expected) {
        if (size < kPmpPacketFixedSize + 4)
            return Fail(packetName_ + " is too small (" + std::to_string(size) + " bytes)");
        packet_.resize(size);
        if (!pmp_.ReadAt(at, packet_.data(), size)) return Fail("cannot read " + packetName_);
        const unsigned char* p = packet_.data();
        const std::uint32_t audioFrames = p[0];
        if (audioFrames == 0) return Fail(packetName_ + " has no audio frame");
        if (audioFrames != expected.Total()) {
            return Fail(packetName_ + " holds " + std::to_string(audioFrames) +
                        " audio frames where the timing gives " + std::to_string(expected.Total()));
        }
        const std::uint64_t headerSize = kPmpPacketFixedSize + 4ull * audioFrames;
        if (headerSize > size) return Fail(packetName_ + " is too small for its audio frame sizes");
        const std::uint32_t videoSize = Le32(p + 9);
        std::uint64_t total = headerSize + videoSize;
        for (std::uint32_t k = 0; k < audioFrames; ++k) total += Le32(p + kPmpPacketFixedSize + 4 * k);
        if (total != size) {
            return Fail(packetName_ + ": its parts add up to " + std::to_string(total) + " bytes but the index says " +
                        std::to_string(size));
        }
        std::uint64_t frameAt = headerSize + videoSize;
        for (std::uint32_t k = 0; k < audioFrames; ++k) {
            const std::uint32_t frameSize = Le32(p + kPmpPacketFixedSize + 4 * k);
            const std::string frame(reinterpret_cast<const char*>(p + frameAt), frameSize);
            if (!CheckAudioFrame(frame, k < expected.mp3Frames, k)) return false;
            frameAt += frameSize;
        }
        return true;
    }

    bool CheckAudioFrame(const std::string& frame, bool fromMp3, std::uint32_t k) {
        const std::string name = packetName_ + ", audio frame " + std::to_string(k);
        if (!fromMp3) {
            if (!IsSilentFrame(frame, audio_.format))
                return Fail(name + " should be a silent padding frame and is not");
            return true;
        }
        const Mp3Frame& source = audio_.frames[nextMp3Frame_];
        std::string expected(source.size, '\0');
        if (!audioFile_.ReadAt(source.offset, &expected[0], expected.size())) {
            return Fail("cannot read MP3 frame " + std::to_string(nextMp3Frame_));
        }
        if (frame != expected) {
            return Fail(name + " is not MP3 frame " + std::to_string(nextMp3Frame_) + " (offset " +
                        std::to_string(source.offset) + ")");
        }
        ++nextMp3Frame_;
        return true;
    }

    ByteSource& pmp_;
    const Mp3Stream& audio_;
    ByteSource& audioFile_;
    std::string& error_;

    PmpHeader header_;
    std::vector<std::uint32_t> index_;
    AudioSchedule schedule_;
    std::vector<unsigned char> packet_;
    std::string packetName_;
    std::size_t nextMp3Frame_ = 0;
};

}  // namespace

bool CheckPmp(ByteSource& pmp, const Mp3Stream& audio, ByteSource& audioFile, std::string* error) {
    return PmpChecker(pmp, audio, audioFile, *error).Check();
}
