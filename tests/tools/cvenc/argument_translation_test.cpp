#include "cvenc/argument_translation.h"

#include <gmock/gmock.h>

#include <array>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "cvenc/picture_fit.h"
#include "cvenc/silent_audio.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

// Splits a command as the converter's templates write it: blanks separate
// words except inside double quotes (the templates never escape anything).
std::vector<std::string> Words(const std::string& command) {
    std::vector<std::string> words;
    std::istringstream stream(command);
    for (std::string word; stream >> std::quoted(word, '"', '\0');) words.push_back(word);
    return words;
}

// The translated arguments after the progress options cvenc always puts
// first (that they are always there is the cvenc_arguments fuzz harness's).
std::vector<std::string> Translated(const std::string& command) {
    const Translation translation = TranslateArguments(Words(command));
    EXPECT_THAT(translation.error, IsEmpty());
    const std::vector<std::string>& all = translation.arguments;
    return all.size() < 2 ? all : std::vector<std::string>(all.begin() + 2, all.end());
}

TEST(Translation, ExportedThreeGppTemplateWithAmrAndBlankRange) {
    // An exported item's range placeholders became single blanks: the words vanish.
    EXPECT_THAT(Translated("-i \"D:\\out\\clip_export.avi\" -ss   -t   -vcodec h263 -s 176x144 -r 14.985 -b 128 "
                           "-acodec amr_nb -ar 8000 -ac 1 -ab 12.2 -title \"Holiday & more\" -n \"D:\\out\\clip.3gp\""),
                ElementsAre("-i", "D:\\out\\clip_export.avi", "-c:v", "h263", "-vf", FitFilter({176, 144, {176, 144}}),
                            "-r", "14.985", "-b:v", "128k", "-c:a", "libopencore_amrnb", "-ar", "8000", "-ac", "1",
                            "-b:a", "12.2k", "-metadata", "title=Holiday & more", "-n", "D:\\out\\clip.3gp"));
}

TEST(Translation, RulesTheTemplatesDoNotShow) {
    // Bare rates are kilobits; rates with a unit stay as written.
    EXPECT_THAT(Translated("-b 1.5M -ab 128k -maxrate 768 -bufsize 2000000"),
                ElementsAre("-b:v", "1.5M", "-b:a", "128k", "-maxrate", "768k", "-bufsize", "2000000k"));
    // H.264 is Baseline for the players unless the profile names another.
    EXPECT_THAT(Translated("-vcodec h264 -vlevel 13"),
                ElementsAre("-c:v", "libx264", "-profile:v", "baseline", "-level", "13"));
    EXPECT_THAT(Translated("-vcodec h264 -profile:v main"), ElementsAre("-c:v", "libx264", "-profile:v", "main"));
    // Quoted blanks, empty and missing values drop their option.
    EXPECT_THAT(Translated("-i a.avi -ss \" \" -t \"\" -title \" \" -vcodec xvid o.avi -ss"),
                ElementsAre("-i", "a.avi", "-c:v", "libxvid", "o.avi"));
}

TEST(Translation, VolumeIsOneForEach256AndMissingValuesAreRefused) {
    EXPECT_THAT(Translated("-vol 100"), ElementsAre("-af", "volume=0.390625"));
    EXPECT_THAT(TranslateArguments({"-vol", "-256"}).error, HasSubstr("-vol needs a number"));
    EXPECT_THAT(TranslateArguments({"-i", "a.avi", "-vcodec"}).error, HasSubstr("-vcodec needs a value"));
}

TEST(Translation, AnOutputFrameSizeBecomesTheChainThatFitsThePictureInto) {
    // The display area is the -aspect given (which FFmpeg still writes into the file), else the frame's own.
    EXPECT_THAT(Translated("-i a.avi -s 320x176 -aspect 16:9 -y o.mp4"),
                ElementsAre("-i", "a.avi", "-vf", FitFilter({320, 176, {16, 9}}), "-aspect", "16:9", "-y", "o.mp4"));
    // Copied video cannot be filtered: its frame size is left as it was.
    EXPECT_THAT(Translated("-i a.3gp -vcodec copy -s 176x144 o.3g2"),
                ElementsAre("-i", "a.3gp", "-c:v", "copy", "-s", "176x144", "o.3g2"));
    // A bound stands where a frame size would; the two together say nothing clear.
    EXPECT_THAT(Translated("-i a.avi -maxsize 1280x720 -y o.mp4"),
                ElementsAre("-i", "a.avi", "-vf", BoundFilter(1280, 720), "-y", "o.mp4"));
    EXPECT_THAT(TranslateArguments({"-i", "a.avi", "-maxsize", "1280x720", "-s", "320x240", "o.mp4"}).error,
                HasSubstr("-maxsize and -s"));
    for (const char* aspect : {"wide", "16:0", "0", "1234567:1", "1.000000000000000000001", "-4:3"}) {
        EXPECT_THAT(TranslateArguments({"-i", "a.avi", "-s", "320x240", "-aspect", aspect, "o.mp4"}).error,
                    HasSubstr("-aspect needs a display ratio"))
            << aspect;
    }
}

// The silent track that -needaudio adds for a source without sound, and its
// length, are the end-to-end tier's, where the PSP and the PMP convert one.
TEST(SilentAudio, OnlyAnInputWhereFfmpegFindsNoSoundGetsSilence) {
    const Translation asked = TranslateArguments({"-needaudio", "-i", "a.avi", "-y", "o.mp4"});
    EXPECT_TRUE(asked.needsAudio);
    EXPECT_EQ(asked.arguments, TranslateArguments({"-i", "a.avi", "-y", "o.mp4"}).arguments);
    // FFmpeg 4.1's words, from a run on a file without sound.
    const std::string noStream =
        "Stream map '0:a:0' matches no streams.\r\nTo ignore this, add a trailing '?' to the map.\r\n";
    EXPECT_EQ(ReadAudioProbe(1, noStream), InputAudio::Missing);
    EXPECT_EQ(ReadAudioProbe(0, ""), InputAudio::Present);
    // An input FFmpeg cannot open tells nothing about sound.
    EXPECT_EQ(ReadAudioProbe(1, "C:\\none.avi: No such file or directory\r\n"), InputAudio::Present);
}

// Where a fitted picture lands in its frame and its bars are the end-to-end
// widescreen case's; that a bound never enlarges, the iPod's profiles for
// today's screens there. The frame a bound leaves, width and height.
std::array<int, 2> Bound(int width, int height, int boundWidth, int boundHeight) {
    const PictureSize<double> frame = BoundPicture<double>(width, height, boundWidth, boundHeight);
    return {static_cast<int>(frame.width), static_cast<int>(frame.height)};
}

using Frame = std::array<int, 2>;

TEST(PictureBound, ShrinksByTheSideThatMeetsTheBoundAndLosesAnOddLine) {
    EXPECT_EQ(Bound(1440, 1080, 1280, 720), (Frame{960, 720}));   // narrower than the bound
    EXPECT_EQ(Bound(3000, 1000, 1280, 720), (Frame{1280, 426}));  // wider
    EXPECT_EQ(Bound(1365, 767, 1920, 1080), (Frame{1364, 766}));
}

}  // namespace
