// pmpmux reads the MP3 that the PMP profile's second pass wrote. Whatever the
// bytes: the frames it finds lie inside the file, in order, without overlap,
// each one a whole frame of the first one's format.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "pmpmux/mp3_frames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemorySource file(AsText(data, size));
    Mp3Stream stream;
    std::string error;
    if (!ReadMp3Stream(file, &stream, &error)) {
        FUZZ_CHECK(!error.empty() && error.find('\n') == std::string::npos);
        return 0;
    }
    FUZZ_CHECK(IsSilentFrame(stream.silentFrame, stream.format));
    std::uint64_t previousEnd = 0;
    for (const Mp3Frame& frame : stream.frames) {
        FUZZ_CHECK(frame.offset >= previousEnd && frame.offset <= size && frame.size <= size - frame.offset);
        FUZZ_CHECK(frame.size >= kMp3HeaderSize);
        Mp3FrameHeader header;
        FUZZ_CHECK(ParseMp3FrameHeader(data + frame.offset, &header, &error));
        FUZZ_CHECK(header.format == stream.format && header.size == frame.size);
        previousEnd = frame.offset + frame.size;
    }
    return 0;
}
