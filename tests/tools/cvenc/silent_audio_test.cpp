#include "cvenc/silent_audio.h"

#include <gmock/gmock.h>

#include <sstream>
#include <string>
#include <vector>

#include "cvenc/argument_translation.h"

namespace {

// Words between blanks (none of these commands has a word with a blank in it).
std::vector<std::string> Words(const std::string& command) {
    std::istringstream stream(command);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

const char kPspCommand[] =
    "-i C:\\Videos\\clip.avi -ss 00:00:05 -t 00:01:00 -vcodec xvid -acodec aac -ac 2 -ab 128 -ar 48000 "
    "-f psp -y D:\\out\\CLIP.MP4";

TEST(SilentAudio, OnlyASilentInputGetsSilenceThatEndsWithTheVideo) {
    const Translation notAsked = TranslateArguments(Words(kPspCommand));
    Translation asked = TranslateArguments(Words(std::string("-needaudio ") + kPspCommand));
    EXPECT_FALSE(notAsked.needsAudio);
    ASSERT_TRUE(asked.needsAudio);
    // An input with sound runs as if not asked.
    EXPECT_EQ(asked.arguments, notAsked.arguments);
    // The range after "-i" stays among the output options, now after the silence.
    AddSilentAudio(asked.arguments);
    EXPECT_EQ(asked.arguments,
              Words("-hide_banner -stats -i C:\\Videos\\clip.avi "
                    "-f lavfi -i anullsrc=channel_layout=stereo:sample_rate=48000 -map 0:v:0 -map 1:a:0 -shortest "
                    "-ss 00:00:05 -t 00:01:00 -c:v libxvid -c:a aac -ac 2 -b:a 128k -ar 48000 "
                    "-f psp -y D:\\out\\CLIP.MP4"));
}

TEST(AudioProbe, OnlyFfmpegSayingThereIsNoSuchStreamMeansSilent) {
    // FFmpeg 4.1's words, from a run on a file without sound.
    const std::string noStream =
        "Stream map '0:a:0' matches no streams.\r\nTo ignore this, add a trailing '?' to the map.\r\n";
    EXPECT_EQ(ReadAudioProbe(1, noStream), InputAudio::Missing);
    EXPECT_EQ(ReadAudioProbe(0, ""), InputAudio::Present);
    // An input FFmpeg cannot open tells nothing about sound.
    EXPECT_EQ(ReadAudioProbe(1, "C:\\none.avi: No such file or directory\r\n"), InputAudio::Present);
}

}  // namespace
