#include "pmpmux/mp3_frames.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t kBitRatesMpeg1[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
constexpr std::uint32_t kBitRatesMpeg2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
constexpr std::uint32_t kSampleRatesMpeg1[3] = {44100, 48000, 32000};

constexpr std::size_t kId3v2HeaderSize = 10;
constexpr std::size_t kId3v1Size = 128;
constexpr unsigned char kId3v2FooterFlag = 0x10;
// The VBRI header sits after 32 bytes of side information whatever the format.
constexpr std::size_t kVbriOffset = kMp3HeaderSize + 32;

std::string Offset(std::uint64_t at) { return "offset " + std::to_string(at); }

// Reads at most `count` bytes (fewer near the end) into `bytes`.
bool ReadUpTo(ByteSource& file, std::uint64_t at, std::uint64_t end, std::size_t count, std::string* bytes) {
    if (at >= end) {
        bytes->clear();
        return true;
    }
    bytes->resize(end - at < count ? static_cast<std::size_t>(end - at) : count);
    return file.ReadAt(at, &(*bytes)[0], bytes->size());
}

const unsigned char* Bytes(const std::string& text) { return reinterpret_cast<const unsigned char*>(text.data()); }

// The size of the ID3v2 tag at `at`, or 0 when there is none. Its size field
// is "synchsafe": seven bits in each of four bytes, so a byte with its high
// bit set means the tag is damaged.
bool Id3v2TagSize(ByteSource& file, std::uint64_t at, std::uint64_t end, std::uint64_t* tagSize, std::string* error) {
    std::string head;
    *tagSize = 0;
    if (!ReadUpTo(file, at, end, kId3v2HeaderSize, &head)) {
        *error = "cannot read at " + Offset(at);
        return false;
    }
    if (head.size() < kId3v2HeaderSize || head.compare(0, 3, "ID3") != 0) return true;
    const unsigned char* h = Bytes(head);
    if (h[3] == 0xFF || h[4] == 0xFF || (h[6] | h[7] | h[8] | h[9]) & 0x80) {
        *error = "damaged ID3v2 tag at " + Offset(at);
        return false;
    }
    const std::uint64_t body = (static_cast<std::uint64_t>(h[6]) << 21) | (h[7] << 14) | (h[8] << 7) | h[9];
    *tagSize = kId3v2HeaderSize + body + ((h[5] & kId3v2FooterFlag) ? kId3v2HeaderSize : 0);
    if (*tagSize > end - at) {
        *error = "the ID3v2 tag at " + Offset(at) + " runs past the end of the file";
        return false;
    }
    return true;
}

// Where the audio frames begin: after every ID3v2 tag at the start and any
// zero bytes that some taggers leave after the size they declared.
bool SkipLeadingTags(ByteSource& file, std::uint64_t end, std::uint64_t* at, std::string* error) {
    *at = 0;
    std::uint64_t tagSize = 0;
    bool sawTag = false;
    while (true) {
        if (!Id3v2TagSize(file, *at, end, &tagSize, error)) return false;
        if (tagSize == 0) break;
        *at += tagSize;
        sawTag = true;
    }
    std::string bytes;
    while (sawTag && *at < end) {
        if (!ReadUpTo(file, *at, end, 4096, &bytes)) {
            *error = "cannot read at " + Offset(*at);
            return false;
        }
        const std::size_t firstNonZero = bytes.find_first_not_of('\0');
        if (firstNonZero != std::string::npos) {
            *at += firstNonZero;
            break;
        }
        *at += bytes.size();
    }
    return true;
}

// A Xing or Info header (written by LAME and ffmpeg) or a VBRI header (by
// Fraunhofer encoders) makes the first frame a table of contents, not sound.
bool IsInfoFrame(ByteSource& file, const Mp3Frame& frame, const Mp3FrameHeader& header) {
    const std::size_t xingOffset = kMp3HeaderSize + (header.hasCrc ? 2 : 0) + header.sideInfoSize;
    std::string bytes;
    if (!ReadUpTo(file, frame.offset, frame.offset + frame.size, std::max(kVbriOffset, xingOffset) + 4, &bytes)) {
        return false;
    }
    if (bytes.size() >= xingOffset + 4) {
        const std::string tag = bytes.substr(xingOffset, 4);
        if (tag == "Xing" || tag == "Info") return true;
    }
    return bytes.size() >= kVbriOffset + 4 && bytes.compare(kVbriOffset, 4, "VBRI") == 0;
}

std::string MakeSilentFrame(const unsigned char* lastHeader) {
    unsigned char header[kMp3HeaderSize];
    std::memcpy(header, lastHeader, sizeof header);
    header[1] |= 0x01;  // no CRC
    header[2] &= 0xFC;  // no padding byte, private bit clear
    header[3] &= 0xCF;  // mode extension 0
    Mp3FrameHeader parsed;
    std::string unused;
    ParseMp3FrameHeader(header, &parsed, &unused);
    std::string frame(parsed.size, '\0');
    std::memcpy(&frame[0], header, sizeof header);
    return frame;
}

}  // namespace

std::string DescribeFormat(const Mp3Format& format) {
    const char* version = format.version == MpegVersion::kMpeg1   ? "MPEG-1"
                          : format.version == MpegVersion::kMpeg2 ? "MPEG-2"
                                                                  : "MPEG-2.5";
    return std::string(version) + " layer III, " + std::to_string(format.sampleRate) + " Hz, " +
           (format.stereo ? "stereo" : "mono");
}

bool ParseMp3FrameHeader(const unsigned char* bytes, Mp3FrameHeader* header, std::string* error) {
    if (bytes[0] != 0xFF || (bytes[1] & 0xE0) != 0xE0) {
        *error = "no MPEG audio frame header (sync bits missing)";
        return false;
    }
    const int versionBits = (bytes[1] >> 3) & 3;
    const int layerBits = (bytes[1] >> 1) & 3;
    const int bitRateIndex = bytes[2] >> 4;
    const int sampleRateIndex = (bytes[2] >> 2) & 3;
    if (versionBits == 1) {
        *error = "MPEG audio header with the reserved version";
        return false;
    }
    if (layerBits != 1) {
        *error = layerBits == 0 ? "MPEG audio header with the reserved layer"
                                : "MPEG audio layer I or II, not layer III (MP3)";
        return false;
    }
    if (bitRateIndex == 0) {
        *error = "free-format MP3 (no bit rate in the frame header) is not supported";
        return false;
    }
    if (bitRateIndex == 15 || sampleRateIndex == 3) {
        *error = "MPEG audio header with an invalid bit rate or sample rate";
        return false;
    }

    Mp3Format& format = header->format;
    format.version = versionBits == 3   ? MpegVersion::kMpeg1
                     : versionBits == 2 ? MpegVersion::kMpeg2
                                        : MpegVersion::kMpeg25;
    const bool mpeg1 = format.version == MpegVersion::kMpeg1;
    const std::uint32_t divisor = mpeg1 ? 1 : format.version == MpegVersion::kMpeg2 ? 2 : 4;
    format.sampleRate = kSampleRatesMpeg1[sampleRateIndex] / divisor;
    format.samplesPerFrame = mpeg1 ? 1152 : 576;
    format.stereo = (bytes[3] >> 6) != 3;

    const std::uint32_t kiloBitsPerSecond = mpeg1 ? kBitRatesMpeg1[bitRateIndex] : kBitRatesMpeg2[bitRateIndex];
    const std::uint32_t padding = (bytes[2] >> 1) & 1;
    // Bytes per frame: samples per frame / 8 bits * bit rate / sample rate.
    header->size = (mpeg1 ? 144000 : 72000) * kiloBitsPerSecond / format.sampleRate + padding;
    header->hasCrc = (bytes[1] & 1) == 0;
    header->sideInfoSize = mpeg1 ? (format.stereo ? 32 : 17) : (format.stereo ? 17 : 9);
    return true;
}

bool ReadMp3Stream(ByteSource& file, Mp3Stream* stream, std::string* error) {
    *stream = Mp3Stream();
    std::uint64_t end = file.Size();
    char tail[3];
    if (end >= kId3v1Size && file.ReadAt(end - kId3v1Size, tail, sizeof tail) && std::memcmp(tail, "TAG", 3) == 0) {
        end -= kId3v1Size;
    }
    std::uint64_t at = 0;
    if (!SkipLeadingTags(file, end, &at, error)) return false;

    unsigned char header[kMp3HeaderSize] = {};
    unsigned char lastHeader[kMp3HeaderSize] = {};
    bool first = true;
    while (at < end) {
        if (end - at < kMp3HeaderSize || !file.ReadAt(at, header, sizeof header)) {
            *error = "the audio ends in a partial frame header at " + Offset(at) + ": the file is truncated";
            return false;
        }
        Mp3FrameHeader parsed;
        std::string why;
        if (!ParseMp3FrameHeader(header, &parsed, &why)) {
            *error = why + " at " + Offset(at);
            return false;
        }
        if (first) {
            stream->format = parsed.format;
        } else if (parsed.format != stream->format) {
            *error = "the audio changes from " + DescribeFormat(stream->format) + " to " +
                     DescribeFormat(parsed.format) + " at " + Offset(at);
            return false;
        }
        if (parsed.size > end - at) {
            *error = "the audio frame at " + Offset(at) + " is cut short: the file is truncated";
            return false;
        }
        const Mp3Frame frame = {at, parsed.size};
        if (!(first && IsInfoFrame(file, frame, parsed))) {
            stream->frames.push_back(frame);
            std::memcpy(lastHeader, header, sizeof header);
        }
        first = false;
        at += parsed.size;
    }
    if (stream->frames.empty()) {
        *error = "no MP3 audio frames";
        return false;
    }
    stream->silentFrame = MakeSilentFrame(lastHeader);
    return true;
}

Mp3Stream SilentMp3Stream() {
    const unsigned char header[kMp3HeaderSize] = {0xFF, 0xFB, 0x90, 0x00};
    Mp3FrameHeader parsed;
    std::string unused;
    ParseMp3FrameHeader(header, &parsed, &unused);
    Mp3Stream stream;
    stream.format = parsed.format;
    stream.silentFrame = MakeSilentFrame(header);
    return stream;
}

bool IsSilentFrame(const std::string& frame, const Mp3Format& format) {
    if (frame.size() < kMp3HeaderSize) return false;
    Mp3FrameHeader header;
    std::string unused;
    if (!ParseMp3FrameHeader(Bytes(frame), &header, &unused)) return false;
    return header.format == format && header.size == frame.size() &&
           frame.find_first_not_of('\0', kMp3HeaderSize) == std::string::npos;
}
