#include "test_streams.h"

std::string Le32Bytes(unsigned value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes;
}

namespace {

// A RIFF chunk: id, little-endian size, data and the pad byte after odd data.
std::string Chunk(const std::string& id, const std::string& data) {
    std::string chunk = id + Le32Bytes(static_cast<unsigned>(data.size())) + data;
    if (data.size() % 2) chunk += '\0';
    return chunk;
}

std::string List(const std::string& type, const std::string& contents) { return Chunk("LIST", type + contents); }

std::string StreamList(const std::string& type, const std::string& handler, unsigned scale, unsigned rate,
                       const std::string& format) {
    std::string header = type + handler;
    header += std::string(12, '\0');  // flags, priority, language, initial frames
    header += Le32Bytes(scale) + Le32Bytes(rate);
    header += std::string(56 - header.size(), '\0');
    return List("strl", Chunk("strh", header) + Chunk("strf", format));
}

}  // namespace

std::string Mp3Header(const Mp3HeaderFields& fields) {
    std::string header(4, '\0');
    header[0] = '\xFF';
    header[1] = static_cast<char>(0xE0 | (fields.versionBits << 3) | (1 << 1) | 1);  // layer III, no CRC
    header[2] = static_cast<char>((fields.bitRateIndex << 4) | (fields.sampleRateIndex << 2) | (fields.padding << 1));
    header[3] = static_cast<char>(fields.mono ? 0xC0 : 0x40);  // single channel or joint stereo
    return header;
}

std::string Mp3FrameBytes(const Mp3HeaderFields& fields, char fill) {
    static const unsigned kMpeg1[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const unsigned kMpeg2[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static const unsigned kRates[] = {44100, 48000, 32000};
    const bool mpeg1 = fields.versionBits == 3;
    const unsigned rate = kRates[fields.sampleRateIndex] / (mpeg1 ? 1 : fields.versionBits == 2 ? 2 : 4);
    const unsigned kbps = mpeg1 ? kMpeg1[fields.bitRateIndex] : kMpeg2[fields.bitRateIndex];
    const unsigned size = (mpeg1 ? 144000 : 72000) * kbps / rate + fields.padding;
    return Mp3Header(fields) + std::string(size - 4, fill);
}

std::string InfoFrame() {
    std::string frame = Mp3FrameBytes({}, '\0');
    return frame.replace(4 + 32, 4, "Info");  // after the side information of MPEG-1 stereo
}

std::string Id3v2Tag(unsigned bodySize, bool footer) {
    std::string header = std::string("ID3\x04\0", 5) + static_cast<char>(footer ? 0x10 : 0);
    for (int shift = 21; shift >= 0; shift -= 7) header += static_cast<char>((bodySize >> shift) & 0x7F);
    std::string tag = header + std::string(bodySize, 'T');
    if (footer) tag += "3DI" + header.substr(3);
    return tag;
}

std::string Mpeg4Vop(int codingType, std::size_t size) {
    std::string vop("\x00\x00\x01\xB6", 4);
    vop += static_cast<char>((codingType << 6) | 0x10);
    return vop + std::string(size - vop.size(), '\x5A');
}

std::string MakeAvi(const AviLayout& layout) {
    const std::string avih = Le32Bytes(layout.scale * 1000000ull / layout.rate) + std::string(28, '\0') +
                             Le32Bytes(320) + Le32Bytes(240) + std::string(16, '\0');
    const std::string bitmap = Le32Bytes(40) + Le32Bytes(320) + Le32Bytes(240) + std::string("\x01\x00\x18\x00", 4) +
                               layout.compression + std::string(20, '\0');
    const std::string video = StreamList("vids", layout.compression, layout.scale, layout.rate, bitmap);
    const std::string audio = StreamList("auds", std::string(4, '\0'), 1152, 44100, std::string(18, '\0'));
    const std::string streams = layout.audioStreamFirst ? audio + video : video + audio;
    const std::string hdrl = List("hdrl", Chunk("avih", avih) + streams);

    const std::string id = layout.audioStreamFirst ? "01dc" : "00dc";
    const std::string audioId = layout.audioStreamFirst ? "00wb" : "01wb";
    std::string movi;
    std::string index;
    std::size_t offset = 4;  // idx1 offsets count from the 'movi' type
    for (const TestFrame& frame : layout.frames) {
        std::string chunks = Chunk(id, frame.bytes) + Chunk(audioId, "au");
        if (layout.inRecLists) chunks = List("rec ", chunks);
        index += id + Le32Bytes(frame.keyFrame ? 0x10 : 0) + Le32Bytes(static_cast<unsigned>(offset)) +
                 Le32Bytes(static_cast<unsigned>(frame.bytes.size()));
        index += audioId + Le32Bytes(0x10) + Le32Bytes(0) + Le32Bytes(2);
        offset += chunks.size();
        movi += chunks;
    }
    std::string body = "AVI " + hdrl + Chunk("JUNK", std::string(20, '\0')) + List("movi", movi);
    if (layout.withIndex) body += Chunk("idx1", index);
    return "RIFF" + Le32Bytes(static_cast<unsigned>(body.size())) + body;
}
