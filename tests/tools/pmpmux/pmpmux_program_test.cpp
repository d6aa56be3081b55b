// The native pmpmux program end to end: its command line and exit codes, and
// files made by Debian's ffmpeg, muxed and then read back by ffprobe.

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "test_streams.h"

namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

struct CommandResult {
    int exitCode = -1;
    std::string output;  // standard output, or standard error when asked for
};

CommandResult RunShell(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, got);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// pmpmux with its standard error captured (its standard output is unused).
CommandResult Pmpmux(const std::string& arguments) {
    return RunShell(std::string(PMPMUX_PROGRAM) + " " + arguments + " 2>&1");
}

// ffprobe's "key=value" lines for one section of one file.
std::map<std::string, std::string> Probe(const fs::path& file, const std::string& options) {
    const CommandResult result =
        RunShell("ffprobe -v quiet " + options + " -of default=noprint_wrappers=1 " + Quoted(file));
    std::map<std::string, std::string> values;
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class PmpmuxProgram : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/pmpmux-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    static bool HaveFfmpeg() {
        return RunShell("ffmpeg -version >/dev/null 2>&1").exitCode == 0 &&
               RunShell("ffprobe -version >/dev/null 2>&1").exitCode == 0;
    }

    bool Ffmpeg(const std::string& arguments, const fs::path& output) {
        return RunShell("ffmpeg -v error -y " + arguments + " " + Quoted(output) + " 2>&1").exitCode == 0;
    }

    // Muxes the clip with a 44.1 kHz stereo MP3 and checks what ffprobe sees.
    void MuxAndProbe(const fs::path& avi, const std::string& codecName) {
        const fs::path mp3 = folder_ / "audio.mp3";
        const fs::path pmp = folder_ / "out.pmp";
        ASSERT_TRUE(
            Ffmpeg("-f lavfi -i sine=frequency=440:sample_rate=44100 -ac 2 -t 2 -c:a libmp3lame -b:a 128k", mp3));
        const CommandResult mux = Pmpmux(Quoted(avi) + " " + Quoted(mp3) + " " + Quoted(pmp));
        ASSERT_EQ(mux.exitCode, 0) << mux.output;

        auto source =
            Probe(avi, "-count_frames -select_streams v:0 -show_entries stream=nb_read_frames:format=duration");
        auto format = Probe(pmp, "-show_entries format=format_name,nb_streams,duration");
        auto video =
            Probe(pmp, "-count_frames -select_streams v -show_entries stream=codec_name,width,height,nb_read_frames");
        auto audio = Probe(pmp, "-select_streams a -show_entries stream=codec_name,sample_rate,channels");
        ASSERT_EQ(source["nb_read_frames"], "60");  // 2 s at 29.97 frames per second
        EXPECT_EQ(format["format_name"], "pmp");
        EXPECT_EQ(format["nb_streams"], "2");
        EXPECT_EQ(video["codec_name"], codecName);
        EXPECT_EQ(video["width"], "320");
        EXPECT_EQ(video["height"], "240");
        EXPECT_EQ(video["nb_read_frames"], "60");
        EXPECT_EQ(audio["codec_name"], "mp3");
        EXPECT_EQ(audio["sample_rate"], "44100");
        EXPECT_EQ(audio["channels"], "2");
        const double oneFrame = 1001.0 / 30000;
        ASSERT_NEAR(std::atof(source["duration"].c_str()), 2.0, oneFrame);
        EXPECT_NEAR(std::atof(format["duration"].c_str()), std::atof(source["duration"].c_str()), oneFrame);

        EXPECT_EQ(Pmpmux("-check " + Quoted(pmp) + " " + Quoted(mp3)).exitCode, 0);
        std::string bytes = ReadFile(pmp);
        bytes.back() ^= 0x55;  // inside the last audio frame, real or padding
        WriteFile(folder_ / "damaged.pmp", bytes);
        const CommandResult damaged = Pmpmux("-check " + Quoted(folder_ / "damaged.pmp") + " " + Quoted(mp3));
        EXPECT_EQ(damaged.exitCode, 1);
        EXPECT_THAT(damaged.output, HasSubstr("audio frame"));
        WriteFile(folder_ / "short.pmp", ReadFile(pmp).substr(0, bytes.size() / 2));
        EXPECT_EQ(Pmpmux("-check " + Quoted(folder_ / "short.pmp") + " " + Quoted(mp3)).exitCode, 1);
    }

    fs::path folder_;
};

const char kTestPicture[] = "-f lavfi -i testsrc=size=320x240:rate=30000/1001 -t 2 -an";

TEST_F(PmpmuxProgram, MuxesMpeg4FromAviThatFfprobeReadsBack) {
    if (!HaveFfmpeg()) GTEST_SKIP() << "Debian's ffmpeg and ffprobe are not on PATH";
    const fs::path avi = folder_ / "video.avi";
    // FFmpeg's own encoder stands in where it was built without libxvid.
    ASSERT_TRUE(Ffmpeg(std::string(kTestPicture) + " -c:v libxvid -vtag XVID", avi) ||
                Ffmpeg(std::string(kTestPicture) + " -c:v mpeg4 -vtag XVID", avi));
    MuxAndProbe(avi, "mpeg4");
}

TEST_F(PmpmuxProgram, MuxesH264FromAviThatFfprobeReadsBack) {
    if (!HaveFfmpeg()) GTEST_SKIP() << "Debian's ffmpeg and ffprobe are not on PATH";
    const fs::path avi = folder_ / "video.avi";
    ASSERT_TRUE(Ffmpeg(std::string(kTestPicture) + " -c:v libx264 -profile:v baseline -pix_fmt yuv420p", avi));
    MuxAndProbe(avi, "h264");
}

// Ten MP3 frames and a two-frame MPEG-4 AVI, cut short when asked.
void WriteSmallInputs(const fs::path& avi, const fs::path& mp3, std::size_t aviLength = std::string::npos) {
    std::string audio;
    for (int k = 0; k < 10; ++k) audio += Mp3FrameBytes({}, 'a');
    WriteFile(mp3, audio);
    AviLayout layout;
    layout.frames = {{Mpeg4Vop(0, 40), true}, {Mpeg4Vop(1, 20), false}};
    WriteFile(avi, MakeAvi(layout).substr(0, aviLength));
}

TEST_F(PmpmuxProgram, BadCommandsAndInputsExitWithOneLineAndNoOutput) {
    const fs::path mp3 = folder_ / "audio.mp3";
    const fs::path avi = folder_ / "video.avi";
    const fs::path pmp = folder_ / "out.pmp";
    WriteSmallInputs(avi, mp3, 300);

    const CommandResult usage = Pmpmux(Quoted(avi) + " " + Quoted(mp3));
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_THAT(usage.output, HasSubstr("usage: pmpmux"));

    const CommandResult truncated = Pmpmux(Quoted(avi) + " " + Quoted(mp3) + " " + Quoted(pmp));
    EXPECT_EQ(truncated.exitCode, 1);
    EXPECT_THAT(truncated.output, HasSubstr("video.avi: the file is 300 bytes long"));
    EXPECT_EQ(std::count(truncated.output.begin(), truncated.output.end(), '\n'), 1);
    EXPECT_FALSE(fs::exists(pmp));

    const CommandResult missing = Pmpmux(Quoted(folder_ / "none.avi") + " " + Quoted(mp3) + " " + Quoted(pmp));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_THAT(missing.output, HasSubstr("none.avi: cannot open"));
}

TEST_F(PmpmuxProgram, RefusesToWriteOverAnInput) {
    const fs::path mp3 = folder_ / "audio.mp3";
    const fs::path avi = folder_ / "video.avi";
    WriteSmallInputs(avi, mp3);
    const std::string audio = ReadFile(mp3);
    fs::create_hard_link(mp3, folder_ / "link.pmp");

    const CommandResult result = Pmpmux(Quoted(avi) + " " + Quoted(mp3) + " " + Quoted(folder_ / "link.pmp"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.output, HasSubstr("is one of the input files"));
    EXPECT_EQ(ReadFile(mp3), audio);

    EXPECT_EQ(Pmpmux(Quoted(avi) + " " + Quoted(mp3) + " " + Quoted(folder_ / "out.pmp")).exitCode, 0);
    EXPECT_EQ(Pmpmux("-check " + Quoted(folder_ / "out.pmp") + " " + Quoted(mp3)).exitCode, 0);
}

}  // namespace

namespace {

// A source without sound leaves no MP3 behind; its .pmp still carries the
// audio frames the players need, all silent. A missing MP3 for a video that
// has sound is an error, not silence.
TEST_F(PmpmuxProgram, SilentSourceGetsSilentAudioButAMissingMp3IsAnErrorOtherwise) {
    if (!HaveFfmpeg()) GTEST_SKIP() << "Debian's ffmpeg and ffprobe are not on PATH";
    const fs::path silent = folder_ / "silent.avi";
    const fs::path missing = folder_ / "missing.mp3";
    const fs::path pmp = folder_ / "out.pmp";
    ASSERT_TRUE(Ffmpeg(std::string(kTestPicture) + " -c:v mpeg4 -vtag XVID", silent));
    const CommandResult mux = Pmpmux(Quoted(silent) + " " + Quoted(missing) + " " + Quoted(pmp));
    ASSERT_EQ(mux.exitCode, 0) << mux.output;
    auto audio = Probe(pmp, "-select_streams a -show_entries stream=codec_name,sample_rate,channels");
    EXPECT_EQ(audio["codec_name"], "mp3");
    EXPECT_EQ(audio["sample_rate"], "44100");
    EXPECT_EQ(Pmpmux("-check " + Quoted(pmp) + " " + Quoted(missing)).exitCode, 0);

    const fs::path withSound = folder_ / "sound.avi";
    ASSERT_TRUE(
        Ffmpeg("-f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine -t 1 -c:v mpeg4 -vtag XVID "
               "-c:a libmp3lame",
               withSound));
    const CommandResult refused = Pmpmux(Quoted(withSound) + " " + Quoted(missing) + " " + Quoted(folder_ / "x.pmp"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_THAT(refused.output, HasSubstr("cannot open"));
    EXPECT_FALSE(fs::exists(folder_ / "x.pmp"));
}

}  // namespace
