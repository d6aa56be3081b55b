#include "cvenc/silent_audio.h"

#include <gmock/gmock.h>

#include <sstream>
#include <string>
#include <vector>

#include "cvenc/argument_translation.h"

using ::testing::IsEmpty;

namespace {

// Words between blanks (none of these commands has a word with a blank in it).
std::vector<std::string> Words(const std::string& command) {
    std::istringstream stream(command);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

// What cvenc runs for a command with "-needaudio", given what the probe found.
std::vector<std::string> Runs(const std::string& command, InputAudio audio) {
    Translation translation = TranslateArguments(Words(command));
    EXPECT_THAT(translation.error, IsEmpty());
    EXPECT_TRUE(translation.needsAudio) << command;
    if (audio == InputAudio::Missing) AddSilentAudio(translation.arguments);
    return translation.arguments;
}

const char kPspCommand[] =
    "-i C:\\Videos\\clip.avi -ss 00:00:05 -t 00:01:00 -vcodec xvid -s 320x240 -acodec aac -ac 2 -ab 128 -ar 48000 "
    "-needaudio -f psp -y D:\\out\\CLIP.MP4";

TEST(SilentAudio, ASilentInputGetsSilenceThatEndsWithTheVideo) {
    // The range after "-i" stays among the output options, now after the silence.
    EXPECT_EQ(Runs(kPspCommand, InputAudio::Missing),
              Words("-hide_banner -stats -i C:\\Videos\\clip.avi "
                    "-f lavfi -i anullsrc=channel_layout=stereo:sample_rate=48000 -map 0:v:0 -map 1:a:0 -shortest "
                    "-ss 00:00:05 -t 00:01:00 -c:v libxvid -s 320x240 -c:a aac -ac 2 -b:a 128k -ar 48000 "
                    "-f psp -y D:\\out\\CLIP.MP4"));
}

TEST(SilentAudio, AnInputWithSoundRunsAsIfNotAsked) {
    const Translation notAsked = TranslateArguments(
        Words("-i C:\\Videos\\clip.avi -ss 00:00:05 -t 00:01:00 -vcodec xvid -s 320x240 -acodec aac -ac 2 -ab 128 "
              "-ar 48000 -f psp -y D:\\out\\CLIP.MP4"));
    EXPECT_FALSE(notAsked.needsAudio);
    EXPECT_EQ(Runs(kPspCommand, InputAudio::Present), notAsked.arguments);
    // A flag: a blank range placeholder after it does not take it away.
    EXPECT_TRUE(TranslateArguments({"-i", "a.avi", "-needaudio", " ", "-y", "o.mp4"}).needsAudio);
}

TEST(SilentAudio, SilenceIsTheLastInputAndOwnMapsStay) {
    EXPECT_EQ(Runs("-f avi -i a.avi -i logo.png -needaudio -filter_complex overlay o.mp4", InputAudio::Missing),
              Words("-hide_banner -stats -f avi -i a.avi -i logo.png "
                    "-f lavfi -i anullsrc=channel_layout=stereo:sample_rate=48000 -map 0:v:0 -map 2:a:0 -shortest "
                    "-filter_complex overlay o.mp4"));
    EXPECT_EQ(Runs("-i a.avi -map 0:v:1 -needaudio o.mp4", InputAudio::Missing),
              Words("-hide_banner -stats -i a.avi "
                    "-f lavfi -i anullsrc=channel_layout=stereo:sample_rate=48000 -map 1:a:0 -shortest "
                    "-map 0:v:1 o.mp4"));
    // Nothing to add the silence to.
    EXPECT_EQ(Runs("-needaudio -y o.mp4 -i", InputAudio::Missing), Words("-hide_banner -stats -y o.mp4 -i"));
}

TEST(AudioProbe, AsksAboutTheFirstInputOpenedAsTheEncodeOpensIt) {
    // Options later on the line win over the "-stats" and "-loglevel" before the input.
    EXPECT_EQ(AudioProbeArguments(Runs("-loglevel quiet -f avi -ss 3 -i a.avi -i b.wav -vcodec xvid -needaudio o.mp4",
                                       InputAudio::Present)),
              Words("-hide_banner -stats -loglevel quiet -f avi -ss 3 -i a.avi "
                    "-map 0:a:0 -c copy -t 0 -v error -nostats -nostdin -f null -"));
    EXPECT_THAT(AudioProbeArguments(Runs("-needaudio -y o.mp4 -i", InputAudio::Present)), IsEmpty());
}

TEST(AudioProbe, OnlyFfmpegSayingThereIsNoSuchStreamMeansSilent) {
    // FFmpeg 4.1's words, from a run on a file without sound.
    const std::string noStream =
        "Stream map '0:a:0' matches no streams.\r\nTo ignore this, add a trailing '?' to the map.\r\n";
    EXPECT_EQ(ReadAudioProbe(1, noStream), InputAudio::Missing);
    EXPECT_EQ(ReadAudioProbe(0, ""), InputAudio::Present);
    EXPECT_EQ(ReadAudioProbe(0, noStream), InputAudio::Present);
    // An input FFmpeg cannot open, or a probe that says nothing, tells nothing about sound.
    EXPECT_EQ(ReadAudioProbe(1, "C:\\none.avi: No such file or directory\r\n"), InputAudio::Present);
    EXPECT_EQ(ReadAudioProbe(1, ""), InputAudio::Present);
}

}  // namespace
