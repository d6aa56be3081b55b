// The native pmpmux program: its command line, exit codes and one-line
// messages, on streams made in memory. (The end-to-end tier muxes real
// encoder output for every PMP profile and reads it back with ffprobe.)

#include <gmock/gmock.h>

#include "e2e/e2e_shell.h"
#include "test_streams.h"

namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

struct CommandResult {
    int exitCode = -1;
    std::string output;
};

// pmpmux's exit code and what it printed on standard error.
CommandResult Pmpmux(const std::vector<fs::path>& files, const std::string& option = "") {
    std::string command = std::string(PMPMUX_PROGRAM) + " " + option;
    for (const fs::path& file : files) command += " " + Quoted(file);
    CommandResult result;
    result.output = RunCommand(command + " 2>&1", &result.exitCode);
    return result;
}

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class PmpmuxProgram : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/pmpmux-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        avi_ = folder_ / "video.avi";
        mp3_ = folder_ / "audio.mp3";
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path folder_, avi_, mp3_;
};

TEST_F(PmpmuxProgram, FailuresExitNonZeroWithOneLineAndWriteNothing) {
    std::string audio;
    for (int k = 0; k < 10; ++k) audio += Mp3FrameBytes({}, 'a');
    WriteFile(mp3_, audio);
    AviLayout layout;
    layout.frames = {{Mpeg4Vop(0, 40), true}, {Mpeg4Vop(1, 20), false}};
    WriteFile(avi_, MakeAvi(layout));

    // (A refused input, in one line and without opening the output: the pmpmux
    // fuzz harness, which counts the outputs opened.)
    // An output that is there is left alone, in the words FFmpeg uses for it;
    // told to replace it, one that is an input under another name is refused
    // before it is emptied.
    const fs::path link = folder_ / "link.pmp";
    fs::create_hard_link(mp3_, link);
    const CommandResult there = Pmpmux({avi_, mp3_, link});
    EXPECT_EQ(there.exitCode, 1);
    EXPECT_THAT(there.output, HasSubstr("File '" + link.string() + "' already exists. Exiting."));
    const CommandResult overwrite = Pmpmux({avi_, mp3_, link}, "-y");
    EXPECT_EQ(overwrite.exitCode, 1);
    EXPECT_THAT(overwrite.output, HasSubstr("is one of the input files"));
    EXPECT_EQ(ReadAll(mp3_), audio);

    // Muxing and checking real encoder output is every PMP profile's end-to-end conversion.
    // Only a video without sound may come without its MP3: silence is made for
    // it, never for a video whose sound went missing.
    fs::remove(mp3_);
    const CommandResult noSound = Pmpmux({avi_, mp3_, folder_ / "x.pmp"});
    EXPECT_EQ(noSound.exitCode, 1);
    EXPECT_THAT(noSound.output, HasSubstr("cannot open"));
}

}  // namespace
