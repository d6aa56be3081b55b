// The native pmpmux program end to end: its command line and exit codes, and
// files made by Debian's ffmpeg, muxed and then read back by ffprobe.

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "test_streams.h"

namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

struct CommandResult {
    int exitCode = -1;
    std::string output;
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

// pmpmux's exit code and what it printed on standard error.
CommandResult Pmpmux(const std::vector<fs::path>& files, const std::string& option = "") {
    std::string command = std::string(PMPMUX_PROGRAM) + " " + option;
    for (const fs::path& file : files) command += " " + Quoted(file);
    return RunShell(command + " 2>&1");
}

// ffprobe's values as "a,b,c" lines, in ffprobe's own order of the fields.
std::string Probe(const fs::path& file, const std::string& options) {
    return RunShell("ffprobe -v quiet " + options + " -of csv=p=0 " + Quoted(file)).output;
}

double Seconds(const fs::path& file) { return std::atof(Probe(file, "-show_entries format=duration").c_str()); }

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

bool HaveFfmpeg() { return RunShell("(ffmpeg -version && ffprobe -version) 2>&1").exitCode == 0; }

bool Ffmpeg(const std::string& arguments, const fs::path& output) {
    return RunShell("ffmpeg -v error -y " + arguments + " " + Quoted(output) + " 2>&1").exitCode == 0;
}

const std::string kTestPicture = "-f lavfi -i testsrc=size=320x240:rate=30000/1001 -t 2 -an ";
const char kXvid[] = "-c:v libxvid -vtag XVID";  // as the PMP profiles encode

class PmpmuxProgram : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/pmpmux-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        avi_ = folder_ / "video.avi";
        mp3_ = folder_ / "audio.mp3";
        pmp_ = folder_ / "out.pmp";
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Encodes the 2 s test picture with the given video options, muxes it with
    // a 44.1 kHz stereo MP3 and reads the result back with ffprobe and -check,
    // then -check on a damaged copy.
    void MuxAndProbe(const std::string& videoOptions, const std::string& codecName) {
        ASSERT_TRUE(Ffmpeg(kTestPicture + videoOptions, avi_));
        ASSERT_EQ(Probe(avi_, "-count_frames -select_streams v -show_entries stream=nb_read_frames"), "60\n");
        const CommandResult mux = Pmpmux({avi_, mp3_, pmp_});
        ASSERT_EQ(mux.exitCode, 0) << mux.output;

        EXPECT_EQ(Probe(pmp_, "-show_entries format=format_name,nb_streams"), "2,pmp\n");
        const std::string video = "-count_frames -select_streams v -show_entries stream=codec_name,width,height";
        EXPECT_EQ(Probe(pmp_, video + ",nb_read_frames"), codecName + ",320,240,60\n");
        EXPECT_EQ(Probe(pmp_, "-select_streams a -show_entries stream=codec_name,sample_rate,channels"),
                  "mp3,44100,2\n");
        EXPECT_NEAR(Seconds(pmp_), Seconds(avi_), 1001.0 / 30000);

        EXPECT_EQ(Pmpmux({pmp_, mp3_}, "-check").exitCode, 0);
        std::string bytes = ReadFile(pmp_);
        bytes.back() ^= 0x55;  // inside the last audio frame, real or padding
        WriteFile(pmp_, bytes);
        const CommandResult damaged = Pmpmux({pmp_, mp3_}, "-check");
        EXPECT_EQ(damaged.exitCode, 1);
        EXPECT_THAT(damaged.output, HasSubstr("audio frame"));
    }

    fs::path folder_, avi_, mp3_, pmp_;
};

TEST_F(PmpmuxProgram, MuxesMpeg4AndH264FromAviThatFfprobeReadsBack) {
    if (!HaveFfmpeg()) GTEST_SKIP() << "Debian's ffmpeg and ffprobe are not on PATH";
    ASSERT_TRUE(Ffmpeg("-f lavfi -i sine=frequency=440:sample_rate=44100 -ac 2 -t 2 -c:a libmp3lame -b:a 128k", mp3_));
    MuxAndProbe(kXvid, "mpeg4");
    MuxAndProbe("-c:v libx264 -profile:v baseline -pix_fmt yuv420p", "h264");
}

// A source without sound leaves no MP3 behind; its .pmp still carries the
// audio frames the players need, all silent. A missing MP3 for a video that
// has sound is an error, not silence.
TEST_F(PmpmuxProgram, SilentSourceGetsSilentAudioButAMissingMp3IsAnErrorOtherwise) {
    if (!HaveFfmpeg()) GTEST_SKIP() << "Debian's ffmpeg and ffprobe are not on PATH";
    ASSERT_TRUE(Ffmpeg(kTestPicture + kXvid, avi_));
    const CommandResult mux = Pmpmux({avi_, mp3_, pmp_});
    ASSERT_EQ(mux.exitCode, 0) << mux.output;
    EXPECT_EQ(Probe(pmp_, "-select_streams a -show_entries stream=codec_name,sample_rate,channels"), "mp3,44100,2\n");
    EXPECT_EQ(Pmpmux({pmp_, mp3_}, "-check").exitCode, 0);

    AviLayout withSound;  // MakeAvi always writes an audio stream
    withSound.frames = {{Mpeg4Vop(0, 40), true}};
    WriteFile(avi_, MakeAvi(withSound));
    const CommandResult refused = Pmpmux({avi_, mp3_, folder_ / "x.pmp"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_THAT(refused.output, HasSubstr("cannot open"));
    EXPECT_FALSE(fs::exists(folder_ / "x.pmp"));
}

TEST_F(PmpmuxProgram, FailuresExitNonZeroWithOneLineAndWriteNothing) {
    std::string audio;
    for (int k = 0; k < 10; ++k) audio += Mp3FrameBytes({}, 'a');
    WriteFile(mp3_, audio);
    AviLayout layout;
    layout.frames = {{Mpeg4Vop(0, 40), true}, {Mpeg4Vop(1, 20), false}};
    WriteFile(avi_, MakeAvi(layout).substr(0, 300));

    const CommandResult truncated = Pmpmux({avi_, mp3_, pmp_});
    EXPECT_EQ(truncated.exitCode, 1);
    EXPECT_THAT(truncated.output, HasSubstr("video.avi: the file is 300 bytes long"));
    EXPECT_EQ(std::count(truncated.output.begin(), truncated.output.end(), '\n'), 1);
    EXPECT_FALSE(fs::exists(pmp_));

    // An output that is an input under another name is refused before it is emptied.
    WriteFile(avi_, MakeAvi(layout));
    fs::create_hard_link(mp3_, folder_ / "link.pmp");
    const CommandResult overwrite = Pmpmux({avi_, mp3_, folder_ / "link.pmp"});
    EXPECT_EQ(overwrite.exitCode, 1);
    EXPECT_THAT(overwrite.output, HasSubstr("is one of the input files"));
    EXPECT_EQ(ReadFile(mp3_), audio);

    EXPECT_EQ(Pmpmux({avi_, mp3_, pmp_}).exitCode, 0);
    EXPECT_EQ(Pmpmux({pmp_, mp3_}, "-check").exitCode, 0);
}

}  // namespace
