// pmpmux reads the AVI that the PMP profile's first pass wrote, or whatever
// lies under that name. Whatever the bytes: no read outside the file, no
// allocation beyond its size, every frame the data of a chunk of one video
// stream ("NNdc" or "NNdb" whose size is the frame's), the frames in the
// file's order without overlapping, a frame size and rate that can be
// written, and a read through the cache that agrees with a direct one.
#include <cctype>
#include <cstdint>
#include <numeric>
#include <string>

#include "fuzz_support.h"
#include "pmpmux/avi_reader.h"

namespace {

bool SameVideo(const AviVideo& a, const AviVideo& b) {
    if (a.codec != b.codec || a.width != b.width || a.height != b.height || a.scale != b.scale || a.rate != b.rate ||
        a.hasAudio != b.hasAudio || a.frames.size() != b.frames.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.frames.size(); ++i) {
        const AviFrame& x = a.frames[i];
        const AviFrame& y = b.frames[i];
        if (x.offset != y.offset || x.size != y.size || x.keyFrame != y.keyFrame) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemorySource file(AsText(data, size));
    AviVideo video;
    std::string error;
    const bool read = ReadAviVideo(file, &video, &error);

    AviVideo cachedVideo;
    std::string cachedError;
    CachedSource cached(file);
    FUZZ_CHECK(ReadAviVideo(cached, &cachedVideo, &cachedError) == read);
    FUZZ_CHECK(cachedError == error);
    if (!read) {
        FUZZ_CHECK(!error.empty() && error.find('\n') == std::string::npos);
        return 0;
    }
    FUZZ_CHECK(SameVideo(video, cachedVideo));
    FUZZ_CHECK(!video.frames.empty() && video.width > 0 && video.height > 0);
    FUZZ_CHECK(video.scale > 0 && video.rate > 0 && std::gcd(video.scale, video.rate) == 1);
    std::uint64_t end = 0;
    std::string stream;
    for (const AviFrame& frame : video.frames) {
        FUZZ_CHECK(frame.offset >= end + 8 && frame.offset <= size && frame.size <= size - frame.offset);
        const std::string header = AsText(data + frame.offset - 8, 8);
        FUZZ_CHECK(std::isdigit(static_cast<unsigned char>(header[0])) &&
                   std::isdigit(static_cast<unsigned char>(header[1])) && header[2] == 'd' &&
                   (header[3] == 'c' || header[3] == 'b'));
        FUZZ_CHECK(stream.empty() || header.compare(0, 2, stream) == 0);
        stream = header.substr(0, 2);
        FUZZ_CHECK(header.substr(4) == Le32Text(frame.size));
        end = frame.offset + frame.size;
    }
    return 0;
}
