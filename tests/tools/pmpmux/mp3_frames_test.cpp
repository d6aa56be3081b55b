#include "pmpmux/mp3_frames.h"

#include <gmock/gmock.h>

#include "test_streams.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct ReadResult {
    bool ok = false;
    Mp3Stream stream;
    std::string error;
};

ReadResult Read(const std::string& bytes) {
    MemorySource source(bytes);
    ReadResult result;
    result.ok = ReadMp3Stream(source, &result.stream, &result.error);
    return result;
}

std::vector<std::uint64_t> Offsets(const Mp3Stream& stream) {
    std::vector<std::uint64_t> offsets;
    for (const Mp3Frame& frame : stream.frames) offsets.push_back(frame.offset);
    return offsets;
}

Mp3FrameHeader Parse(const Mp3HeaderFields& fields) {
    const std::string header = Mp3Header(fields);
    Mp3FrameHeader parsed;
    std::string error;
    EXPECT_TRUE(ParseMp3FrameHeader(reinterpret_cast<const unsigned char*>(header.data()), &parsed, &error)) << error;
    return parsed;
}

TEST(Mp3FrameHeader, GivesFrameSizeAndFormatForEachMpegVersion) {
    Mp3HeaderFields fields;  // MPEG-1, 128 kbit/s, 44100 Hz
    EXPECT_EQ(Parse(fields).size, 417u);
    EXPECT_EQ(Parse(fields).format.samplesPerFrame, 1152u);
    fields.padding = 1;
    EXPECT_EQ(Parse(fields).size, 418u);

    fields = Mp3HeaderFields{2, 8, 0, 0, true};  // MPEG-2, 64 kbit/s, 22050 Hz, mono
    const Mp3FrameHeader mpeg2 = Parse(fields);
    EXPECT_EQ(mpeg2.size, 208u);
    EXPECT_EQ(mpeg2.format.sampleRate, 22050u);
    EXPECT_EQ(mpeg2.format.samplesPerFrame, 576u);
    EXPECT_FALSE(mpeg2.format.stereo);

    fields = Mp3HeaderFields{0, 1, 2, 0, false};  // MPEG-2.5, 8 kbit/s, 8000 Hz
    const Mp3FrameHeader mpeg25 = Parse(fields);
    EXPECT_EQ(mpeg25.size, 72u);
    EXPECT_EQ(mpeg25.format.sampleRate, 8000u);
    EXPECT_EQ(mpeg25.format.version, MpegVersion::kMpeg25);
}

TEST(Mp3FrameHeader, RefusesHeadersWhoseFramesCannotBeFound) {
    auto refusal = [](std::string header) {
        Mp3FrameHeader parsed;
        std::string error;
        EXPECT_FALSE(ParseMp3FrameHeader(reinterpret_cast<const unsigned char*>(header.data()), &parsed, &error));
        return error;
    };
    EXPECT_THAT(refusal(std::string("\xFF\xFB\x00\x44", 4)), HasSubstr("free-format"));
    EXPECT_THAT(refusal(std::string("\xFF\xFD\x90\x44", 4)), HasSubstr("layer I or II"));
    EXPECT_THAT(refusal(std::string("\xFF\xEB\x90\x44", 4)), HasSubstr("reserved version"));
    EXPECT_THAT(refusal(std::string("\xFF\xFB\xF0\x44", 4)), HasSubstr("invalid bit rate"));
    EXPECT_THAT(refusal(std::string("\xFF\xFB\x9C\x44", 4)), HasSubstr("invalid bit rate or sample rate"));
    EXPECT_THAT(refusal(std::string("ID3\x04", 4)), HasSubstr("sync"));
}

TEST(Mp3Stream, FindsEveryFrameBetweenTheTagsAfterTheInfoFrame) {
    Mp3HeaderFields padded;
    padded.padding = 1;
    const std::string frames = Mp3FrameBytes(padded, 'a') + Mp3FrameBytes({}, 'b') + Mp3FrameBytes({}, 'c');
    const std::string info = InfoFrame({});

    // An ID3v2 tag with a footer, a second tag, zero padding the first tag
    // did not count, the Info frame, the audio, an ID3v1 tag.
    const std::string lead = Id3v2Tag(200, true) + Id3v2Tag(0x81, false) + std::string(7, '\0');
    const std::string tagged = lead + info + frames + "TAG" + std::string(125, 'x');
    ReadResult result = Read(tagged);
    ASSERT_TRUE(result.ok) << result.error;
    const std::uint64_t first = lead.size() + info.size();
    EXPECT_THAT(Offsets(result.stream), ElementsAre(first, first + 418, first + 835));
    EXPECT_EQ(result.stream.format.sampleRate, 44100u);
    EXPECT_TRUE(result.stream.format.stereo);

    // Only the first frame can be an Info frame; later it is sound.
    result = Read(frames + info);
    EXPECT_EQ(result.stream.frames.size(), 4u);
}

TEST(Mp3Stream, RefusesDamagedOrMixedAudio) {
    const std::string frame = Mp3FrameBytes({}, 'a');
    std::string damagedTag = Id3v2Tag(10, false) + frame;
    damagedTag[6] = '\x80';  // not synchsafe
    EXPECT_THAT(Read(damagedTag).error, HasSubstr("damaged ID3v2 tag"));
    EXPECT_THAT(Read(Id3v2Tag(5000, false).substr(0, 100)).error, HasSubstr("runs past the end"));

    EXPECT_THAT(Read(frame + frame.substr(0, 100)).error, HasSubstr("offset 417 is cut short"));
    EXPECT_THAT(Read(frame + "\xFF\xFB").error, HasSubstr("partial frame header at offset 417"));
    EXPECT_THAT(Read(frame + "junkjunk" + frame).error, HasSubstr("sync bits missing) at offset 417"));
    EXPECT_THAT(Read(frame + Mp3FrameBytes({3, 9, 1, 0, false}, 'b')).error,
                HasSubstr("from MPEG-1 layer III, 44100 Hz, stereo to MPEG-1 layer III, 48000 Hz, stereo"));
    EXPECT_THAT(Read(InfoFrame({})).error, HasSubstr("no MP3 audio frames"));
    EXPECT_THAT(Read("").error, HasSubstr("no MP3 audio frames"));
}

TEST(Mp3Stream, EveryPrefixReadsOrFailsCleanly) {
    const std::string bytes = Id3v2Tag(30, true) + InfoFrame({}) + Mp3FrameBytes({}, 'a') + Mp3FrameBytes({}, 'b');
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
        const ReadResult result = Read(bytes.substr(0, length));
        EXPECT_EQ(result.ok, result.error.empty()) << length;
    }
}

TEST(SilentFrame, IsAFrameOfTheSameFormatWithNothingAfterTheHeader) {
    Mp3HeaderFields last{2, 8, 0, 1, true};  // MPEG-2, 22050 Hz, mono, padded
    const ReadResult result = Read(Mp3FrameBytes({2, 8, 0, 0, true}, 'a') + Mp3FrameBytes(last, 'b'));
    ASSERT_TRUE(result.ok) << result.error;
    const std::string& silent = result.stream.silentFrame;
    EXPECT_EQ(silent.size(), 208u);  // the last frame's bit rate, without its padding byte
    EXPECT_TRUE(IsSilentFrame(silent, result.stream.format));

    Mp3Format stereo = result.stream.format;
    stereo.stereo = true;
    EXPECT_FALSE(IsSilentFrame(silent, stereo));
    EXPECT_FALSE(IsSilentFrame(Mp3FrameBytes(last, 'b'), result.stream.format));
    EXPECT_FALSE(IsSilentFrame(silent.substr(0, 100), result.stream.format));
}

}  // namespace
