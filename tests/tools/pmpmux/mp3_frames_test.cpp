#include "pmpmux/mp3_frames.h"

#include <gmock/gmock.h>

#include "test_streams.h"

namespace {

using ::testing::HasSubstr;

// The frames' offsets ("0 418 835"), or "refused: " and the reason.
std::string Read(const std::string& bytes, Mp3Stream* stream = nullptr) {
    MemorySource source(bytes);
    Mp3Stream read;
    stream = stream ? stream : &read;
    std::string error, offsets;
    if (!ReadMp3Stream(source, stream, &error)) return "refused: " + error;
    for (const Mp3Frame& frame : stream->frames) offsets += (offsets.empty() ? "" : " ") + std::to_string(frame.offset);
    return offsets;
}

TEST(Mp3Stream, FindsEveryFrameBetweenTheTagsAfterTheInfoFrame) {
    const std::string frames = Mp3FrameBytes({3, 9, 0, 1, false}, 'a') + Mp3FrameBytes({}, 'b') +
                               Mp3FrameBytes({}, 'c');  // 418 (padded), 417, 417 bytes
    // An ID3v2 tag with a footer, a second tag, zero padding the first tag
    // did not count, the Info frame (220 + 139 + 7 + 417 bytes), the audio,
    // an ID3v1 tag.
    const std::string lead = Id3v2Tag(200, true) + Id3v2Tag(0x81, false) + std::string(7, '\0') + InfoFrame();
    Mp3Stream stream;
    EXPECT_EQ(Read(lead + frames + "TAG" + std::string(125, 'x'), &stream), "783 1201 1618");
    EXPECT_EQ(stream.format.sampleRate, 44100u);
    EXPECT_TRUE(stream.format.stereo);

    // Only the first frame can be an Info frame; later it is sound.
    EXPECT_EQ(Read(frames + InfoFrame()), "0 418 835 1252");
    // MPEG-2.5 at 8 kbit/s and 8000 Hz: 72-byte frames.
    EXPECT_EQ(Read(Mp3FrameBytes({0, 1, 2, 0, false}, 'a') + Mp3FrameBytes({0, 1, 2, 0, false}, 'b')), "0 72");
}

// The padding a .pmp gets after the audio ends: the last frame's format and
// bit rate, without its padding byte, nothing after the header.
TEST(Mp3Stream, MakesASilentFrameLikeTheLastFrame) {
    Mp3Stream stream;  // MPEG-2, 64 kbit/s, 22050 Hz, mono, padded
    EXPECT_EQ(Read(Mp3FrameBytes({2, 8, 0, 1, true}, 'a') + Mp3FrameBytes({2, 8, 0, 1, true}, 'b'), &stream), "0 209");
    EXPECT_EQ(stream.format.samplesPerFrame, 576u);
    EXPECT_EQ(stream.silentFrame, Mp3Header({2, 8, 0, 0, true}) + std::string(204, '\0'));
}

TEST(Mp3Stream, RefusesDamagedOrMixedAudio) {
    const std::string frame = Mp3FrameBytes({}, 'a');
    std::string damagedTag = Id3v2Tag(10, false) + frame;
    damagedTag[6] = '\x80';  // not synchsafe
    EXPECT_THAT(Read(damagedTag), HasSubstr("damaged ID3v2 tag"));
    EXPECT_THAT(Read(Id3v2Tag(5000, false).substr(0, 100)), HasSubstr("runs past the end"));
    EXPECT_THAT(Read(std::string("\xFF\xFB\x00\x44", 4) + frame), HasSubstr("free-format"));
    EXPECT_THAT(Read("\xFF\xFD\x90\x44" + frame), HasSubstr("layer I or II"));
    EXPECT_THAT(Read("\xFF\xFB\x9C\x44" + frame), HasSubstr("invalid bit rate or sample rate"));

    EXPECT_THAT(Read(frame + frame.substr(0, 100)), HasSubstr("offset 417 is cut short"));
    EXPECT_THAT(Read(frame + "\xFF\xFB"), HasSubstr("partial frame header at offset 417"));
    EXPECT_THAT(Read(frame + "junkjunk" + frame), HasSubstr("sync bits missing) at offset 417"));
    EXPECT_THAT(Read(frame + Mp3FrameBytes({3, 9, 1, 0, false}, 'b')),
                HasSubstr("from MPEG-1 layer III, 44100 Hz, stereo to MPEG-1 layer III, 48000 Hz, stereo"));
    EXPECT_THAT(Read(InfoFrame()), HasSubstr("no MP3 audio frames"));
}

}  // namespace
