#include "pmpmux/mp3_frames.h"

#include <gmock/gmock.h>

#include "test_streams.h"

namespace {

using ::testing::HasSubstr;

// Why the reader refuses the bytes; empty when it reads them. How it finds the
// frames of the encoder's own MP3 (a tag, an Info frame, the audio) is the
// end-to-end tier's, and that the frames it finds are whole frames of one
// format, as is the silent frame it makes, the mp3 fuzz harness's, whose
// seeds also end in a frame of another sample rate and in a header cut short.
std::string Refusal(const std::string& bytes) {
    MemorySource source(bytes);
    Mp3Stream stream;
    std::string error;
    return ReadMp3Stream(source, &stream, &error) ? "" : error;
}

TEST(Mp3Stream, RefusesAudioCutShortOrBrokenUpOrMissing) {
    const std::string frame = Mp3FrameBytes({}, 'a');
    EXPECT_THAT(Refusal(Id3v2Tag(5000, false).substr(0, 100)), HasSubstr("runs past the end"));
    EXPECT_THAT(Refusal(frame + frame.substr(0, 100)), HasSubstr("offset 417 is cut short"));
    EXPECT_THAT(Refusal(frame + "junkjunk" + frame), HasSubstr("sync bits missing) at offset 417"));
    EXPECT_THAT(Refusal(InfoFrame()), HasSubstr("no MP3 audio frames"));
}

}  // namespace
