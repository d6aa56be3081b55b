#include "cvenc/argument_translation.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "cvenc/command_line.h"

#ifdef _WIN32
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>
#endif

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

// Splits a command as the converter's templates write it: blanks separate
// words except inside double quotes (the templates never escape a quote).
std::vector<std::string> Words(const std::string& command) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool inWord = false;
    for (char c : command) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (c == ' ' && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

// The translated arguments after the progress options cvenc always puts first.
std::vector<std::string> Translated(const std::string& command) {
    const Translation translation = TranslateArguments(Words(command));
    EXPECT_THAT(translation.error, IsEmpty());
    if (translation.arguments.size() < 2) {
        ADD_FAILURE() << "the progress options are missing";
        return {};
    }
    EXPECT_THAT(std::vector<std::string>(translation.arguments.begin(), translation.arguments.begin() + 2),
                ElementsAre("-hide_banner", "-stats"));
    return std::vector<std::string>(translation.arguments.begin() + 2, translation.arguments.end());
}

std::string Error(const std::string& command) { return TranslateArguments(Words(command)).error; }

TEST(Translation, IpodTemplateWithAvc) {
    EXPECT_THAT(Translated("-i \"C:\\My Videos\\a & b.avi\" -ss 00:00:05 -t 00:01:00 -vcodec h264 -coder 0 -vlevel 13 "
                           "-bufsize 256 -g 250 -s 320x240 -r 29.97 -b 768 -aspect 4:3 -acodec aac -ac 2 -ab 128 "
                           "-ar 44100 -vol 512 -title \"x\" -y \"D:\\out\\a.mp4\""),
                ElementsAreArray<std::string>({"-i",        "C:\\My Videos\\a & b.avi",
                                               "-ss",       "00:00:05",
                                               "-t",        "00:01:00",
                                               "-c:v",      "libx264",
                                               "-profile:v", "baseline",
                                               "-coder",    "0",
                                               "-level",    "13",
                                               "-bufsize",  "256k",
                                               "-g",        "250",
                                               "-s",        "320x240",
                                               "-r",        "29.97",
                                               "-b:v",      "768k",
                                               "-aspect",   "4:3",
                                               "-c:a",      "aac",
                                               "-ac",       "2",
                                               "-b:a",      "128k",
                                               "-ar",       "44100",
                                               "-af",       "volume=2",
                                               "-metadata", "title=x",
                                               "-y",        "D:\\out\\a.mp4"}));
}

TEST(Translation, ExportedThreeGppTemplateWithAmrAndBlankRange) {
    // An exported item's range placeholders became single blanks: the words vanish.
    EXPECT_THAT(Translated("-i \"D:\\out\\clip_export.avi\" -ss   -t   -vcodec h263 -s 176x144 -r 14.985 -b 128 "
                           "-acodec amr_nb -ar 8000 -ac 1 -ab 12.2 -title \"Holiday & more\" -y \"D:\\out\\clip.3gp\""),
                ElementsAreArray<std::string>({"-i",        "D:\\out\\clip_export.avi",
                                               "-c:v",      "h263",
                                               "-s",        "176x144",
                                               "-r",        "14.985",
                                               "-b:v",      "128k",
                                               "-c:a",      "libopencore_amrnb",
                                               "-ar",       "8000",
                                               "-ac",       "1",
                                               "-b:a",      "12.2k",
                                               "-metadata", "title=Holiday & more",
                                               "-y",        "D:\\out\\clip.3gp"}));
}

TEST(Translation, EncoderNames) {
    EXPECT_THAT(Translated("-vcodec xvid -vcodec h264 -vcodec mpeg4 -vcodec h263 -vcodec mpeg2video -vcodec copy"),
                ElementsAre("-c:v", "libxvid", "-c:v", "libx264", "-profile:v", "baseline", "-c:v", "mpeg4", "-c:v",
                            "h263", "-c:v", "mpeg2video", "-c:v", "copy"));
    // H.264 is Baseline for the players unless the profile asks for another.
    EXPECT_THAT(Translated("-vcodec h264 -profile:v main"), ElementsAre("-c:v", "libx264", "-profile:v", "main"));
    EXPECT_THAT(Translated("-acodec mp3 -acodec amr_nb -acodec aac -acodec ac3"),
                ElementsAre("-c:a", "libmp3lame", "-c:a", "libopencore_amrnb", "-c:a", "aac", "-c:a", "ac3"));
}

TEST(Translation, BareNumbersAreKilobitsAndUnitsAreKept) {
    EXPECT_THAT(
        Translated("-b 1500 -ab 12.2 -bufsize 256 -maxrate 768 -minrate 64"),
        ElementsAre("-b:v", "1500k", "-b:a", "12.2k", "-bufsize", "256k", "-maxrate", "768k", "-minrate", "64k"));
    EXPECT_THAT(Translated("-b 1.5M -ab 128k -bufsize 2000000 -maxrate 768K"),
                ElementsAre("-b:v", "1.5M", "-b:a", "128k", "-bufsize", "2000000k", "-maxrate", "768K"));
}

TEST(Translation, VolumeIsAFilterAtOneForEach256) {
    EXPECT_THAT(Translated("-vol 128 -y o.mp4"), ElementsAre("-af", "volume=0.5", "-y", "o.mp4"));
    EXPECT_THAT(Translated("-vol 100"), ElementsAre("-af", "volume=0.390625"));
    EXPECT_THAT(Translated("-vol 1024"), ElementsAre("-af", "volume=4"));
    EXPECT_THAT(Translated("-vol 0"), ElementsAre("-af", "volume=0"));
    // An existing chain gets the filter at its end, wherever -vol stands.
    EXPECT_THAT(Translated("-af aresample=44100 -vol 384 -y o.mp4"),
                ElementsAre("-af", "aresample=44100,volume=1.5", "-y", "o.mp4"));
    EXPECT_THAT(Translated("-vol 384 -af aresample=44100"), ElementsAre("-af", "aresample=44100,volume=1.5"));
}

TEST(Translation, BlankOrMissingValuesDropTheirOption) {
    EXPECT_THAT(Translated("-i a.avi -ss \" \" -t \"\" -y o.mp4"), ElementsAre("-i", "a.avi", "-y", "o.mp4"));
    EXPECT_THAT(Translated("-i a.avi -ss -t -vcodec xvid o.avi -ss"),
                ElementsAre("-i", "a.avi", "-c:v", "libxvid", "o.avi"));
    EXPECT_THAT(Translated("-title \" \" -s \"  \" \" \" -y o.mp4"), ElementsAre("-y", "o.mp4"));
    EXPECT_THAT(Translated("-ss -5 -t .5"), ElementsAre("-ss", "-5", "-t", ".5"));  // numbers, not options
}

TEST(Translation, PlainFfmpegOptionsPassInOrder) {
    EXPECT_THAT(Translated("-i in.avi -c:v libx264 -crf 23 -vf scale=320:-2 -b:a 96k -movflags +faststart out.mp4"),
                ElementsAre("-i", "in.avi", "-c:v", "libx264", "-crf", "23", "-vf", "scale=320:-2", "-b:a", "96k",
                            "-movflags", "+faststart", "out.mp4"));
    // Without these FFmpeg could neither show progress nor be stopped.
    EXPECT_THAT(Translated("-nostdin -nostats -i in.avi out.mp4"), ElementsAre("-i", "in.avi", "out.mp4"));
}

TEST(Translation, BadValuesAreReported) {
    EXPECT_THAT(Error("-i a.avi -vcodec"), HasSubstr("-vcodec needs a value"));
    EXPECT_THAT(Error("-i a.avi -b"), HasSubstr("-b needs a value"));
    EXPECT_THAT(Error("-vol loud"), HasSubstr("-vol needs a number"));
    EXPECT_THAT(Error("-vol -256"), HasSubstr("-vol needs a number"));
    EXPECT_THAT(Error("-vol 99999999999999999999999999"), HasSubstr("-vol needs a number"));
}

TEST(CommandLine, QuotesWhatTheSplitterWouldCut) {
    EXPECT_EQ(JoinCommandLine("C:\\Program Files\\app\\ffmpeg.exe", {"-c:v", "a&b", "", "C:\\My Videos\\"}),
              "\"C:\\Program Files\\app\\ffmpeg.exe\" -c:v a&b \"\" \"C:\\My Videos\\\\\"");
    EXPECT_EQ(QuoteArgument("say \"hi\\\""), "\"say \\\"hi\\\\\\\"\"");
}

#ifdef _WIN32
TEST(CommandLine, WindowsSplitsItBackIntoTheSameArguments) {
    const std::vector<std::string> arguments = {"-i",
                                                "C:\\My Videos\\a & b.avi",
                                                "",
                                                " ",
                                                "title=\"x\" y",
                                                "D:\\out dir\\",
                                                "\\\\server\\share\\a\"b",
                                                "tab\there",
                                                "end\\"};
    const std::wstring line = [&] {
        std::string joined = JoinCommandLine("C:\\Program Files\\app\\ffmpeg.exe", arguments);
        return std::wstring(joined.begin(), joined.end());  // ASCII only
    }();
    int count = 0;
    wchar_t** words = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(words, nullptr);
    std::vector<std::string> splitBack;
    for (int i = 0; i < count; ++i) {
        const std::wstring word = words[i];
        splitBack.emplace_back(word.begin(), word.end());
    }
    LocalFree(words);
    ASSERT_EQ(splitBack.size(), arguments.size() + 1);
    EXPECT_EQ(splitBack[0], "C:\\Program Files\\app\\ffmpeg.exe");
    EXPECT_EQ(std::vector<std::string>(splitBack.begin() + 1, splitBack.end()), arguments);
}
#endif

}  // namespace
