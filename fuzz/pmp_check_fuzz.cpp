// "pmpmux -check" reads a written .pmp back before the conversion calls it
// done, so it meets whatever a failed or foreign write left. Whatever the
// bytes, it answers with a verdict and one line of reason, and reading
// through the cache gives the same verdict as reading directly. A .pmp the
// muxer writes is sound, and the same file damaged as a failed or foreign
// write leaves it (cut short, with bytes after its end, a packet size, an
// audio frame count or the sample rate changed) is not.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "pmpmux/mp3_frames.h"
#include "pmpmux/pmp_check.h"
#include "pmpmux/pmp_writer.h"

namespace {

bool Sound(const std::string& pmpBytes, const Mp3Stream& audio, ByteSource& audioFile) {
    MemorySource pmp(pmpBytes);
    std::string error;
    return CheckPmp(pmp, audio, audioFile, &error);
}

void AddToLe32(std::string& bytes, std::size_t at, std::uint32_t value) {
    const auto* p = reinterpret_cast<const unsigned char*>(&bytes[at]);
    bytes.replace(at, 4, Le32Text(Le32(p) + value));
}

// A .pmp of the video bytes cut into frames (their sizes from the bytes
// themselves) and the audio, written by the muxer, then damaged as `damage`
// says.
void CheckWrittenPmp(const std::string& videoBytes, const Mp3Stream& audio, ByteSource& audioFile,
                     std::uint32_t damage) {
    MemorySource videoFile(videoBytes);
    AviVideo video;
    video.width = 320;
    video.height = 240;
    video.scale = 1;
    video.rate = 25;
    for (std::size_t at = 0; at < videoBytes.size() && video.frames.size() < 64;) {
        AviFrame frame;
        frame.offset = at;
        frame.size = static_cast<std::uint32_t>(
            std::min<std::size_t>(1 + static_cast<unsigned char>(videoBytes[at]) % 32, videoBytes.size() - at));
        frame.keyFrame = at == 0;
        video.frames.push_back(frame);
        at += frame.size;
    }
    PmpPlan plan;
    MemorySink sink;
    std::string error;
    if (video.frames.empty() || !PlanPmp(video, audio, &plan, &error) ||
        !WritePmp(plan, video, videoFile, audio, audioFile, sink, &error)) {
        return;
    }
    std::string pmp = sink.Bytes();
    FUZZ_CHECK(Sound(pmp, audio, audioFile));

    const std::size_t frames = video.frames.size();
    const std::size_t frame = (damage >> 8) % frames;
    std::size_t packet = kPmpHeaderSize + frames * kPmpIndexEntrySize;
    for (std::size_t i = 0; i < frame; ++i) packet += plan.packetSizes[i];
    switch (damage % 5) {
        case 0:
            pmp.resize(pmp.size() - 1 - (damage >> 8) % pmp.size());
            break;
        case 1:
            pmp += static_cast<char>(damage >> 8);
            break;
        case 2:
            AddToLe32(pmp, kPmpHeaderSize + frame * kPmpIndexEntrySize, 2 << (damage >> 8) % 30);
            break;
        case 3:
            pmp[packet] = static_cast<char>(pmp[packet] + 1 + (damage >> 16) % 255);
            break;
        default:
            AddToLe32(pmp, 48, 1 + (damage >> 8));  // the sample rate
            break;
    }
    FUZZ_CHECK(!Sound(pmp, audio, audioFile));
}

}  // namespace

// Input: the .pmp and the MP3 as two files (see TwoFiles); without MP3 bytes
// the .pmp must hold silence only. The .pmp's bytes are also the video frames
// of one the muxer writes, its first four bytes the damage done to it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [pmpBytes, mp3Bytes] = TwoFiles(data, size);
    MemorySource audioFile(mp3Bytes);
    Mp3Stream audio = SilentMp3Stream();
    std::string error;
    if (!mp3Bytes.empty() && !ReadMp3Stream(audioFile, &audio, &error)) return 0;

    MemorySource pmp(pmpBytes);
    const bool sound = CheckPmp(pmp, audio, audioFile, &error);
    if (!sound) FUZZ_CHECK(!error.empty() && error.find('\n') == std::string::npos);

    CachedSource cachedPmp(pmp);
    CachedSource cachedAudio(audioFile);
    std::string cachedError;
    FUZZ_CHECK(CheckPmp(cachedPmp, audio, cachedAudio, &cachedError) == sound);
    FUZZ_CHECK(cachedError == (sound ? std::string() : error));

    if (pmpBytes.size() > 4) {
        const auto* damage = reinterpret_cast<const unsigned char*>(pmpBytes.data());
        CheckWrittenPmp(pmpBytes.substr(4), audio, audioFile, Le32(damage));
    }
    return 0;
}
