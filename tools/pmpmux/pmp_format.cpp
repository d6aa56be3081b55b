#include "pmpmux/pmp_format.h"

#include <cstring>

#include "pmpmux/byte_io.h"

std::string EncodePmpHeader(const PmpHeader& header) {
    std::string bytes = "pmpm";
    for (std::uint32_t field :
         {kPmpVersion, header.videoFormat, header.videoFrames, header.width, header.height, header.videoScale,
          header.videoRate, header.audioFormat, header.audioStreams, header.maxAudioFramesPerPacket, header.audioScale,
          header.audioSampleRate, header.stereo}) {
        AppendLe32(bytes, field);
    }
    return bytes;
}

bool DecodePmpHeader(const unsigned char* bytes, PmpHeader* header) {
    if (std::memcmp(bytes, "pmpm", 4) != 0 || Le32(bytes + 4) != kPmpVersion) return false;
    std::uint32_t* fields[] = {&header->videoFormat, &header->videoFrames,     &header->width,
                               &header->height,      &header->videoScale,      &header->videoRate,
                               &header->audioFormat, &header->audioStreams,    &header->maxAudioFramesPerPacket,
                               &header->audioScale,  &header->audioSampleRate, &header->stereo};
    const unsigned char* at = bytes + 8;
    for (std::uint32_t* field : fields) {
        *field = Le32(at);
        at += 4;
    }
    return true;
}
