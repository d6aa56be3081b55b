// End to end: the preview player under Wine with the real ffmpeg.exe, on
// clips made by Debian's ffmpeg; durations and exports checked with ffprobe.
#include <gmock/gmock.h>
#include <unistd.h>

#include <cstdlib>

#include "e2e_shell.h"

namespace fs = std::filesystem;

namespace {

class PlayerEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        work_ = fs::temp_directory_path() / ("clipvane-player-" + std::to_string(getpid()));
        fs::create_directories(work_ / "out");
        const std::string pictures = "-f lavfi -i testsrc=rate=25:size=";
        const std::string tone = " -f lavfi -i sine=sample_rate=44100";
        Make("clip.rm", pictures + "320x240" + tone + " -t 4 -c:v rv20 -c:a ac3 -ac 2");
        Make("clip.avi", pictures + "320x240" + tone + " -t 4 -c:v mpeg4 -c:a libmp3lame");
        Make("dvd.mpg", pictures + "720x576" + tone + " -t 3.5 -c:v mpeg2video -aspect 16:9 -c:a mp2 -f vob");
        Make("clip.mp4", pictures + "640x360" + tone + " -t 3 -c:v libx264 -pix_fmt yuv420p -c:a aac");

        const fs::path source = CLIPVANE_SOURCE_DIR;
        std::string command = Quoted(source / "scripts" / "wine-run") + " " +
                              Quoted(source / "build" / "windows" / "tests" / "e2e" / "player_driver.exe") + " " +
                              Quoted(WindowsPath(source / "dist" / "Clipvane" / "app" / "ffmpeg.exe")) + " " +
                              Quoted(WindowsPath(work_ / "out"));
        for (const char* clip : {"clip.rm", "clip.avi", "dvd.mpg", "clip.mp4"}) {
            command += " " + Quoted(WindowsPath(work_ / clip));
        }
        std::istringstream lines(RunCommand(command + " 2>/dev/null"));
        std::string line;
        while (std::getline(lines, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::istringstream fields(line);
            std::string kind, subject, value;
            std::getline(fields, kind, '\t');
            std::getline(fields, subject, '\t');
            std::getline(fields, value, '\t');
            reported_[kind + " " + subject.substr(subject.find_last_of('\\') + 1)] = value;
        }
    }
    static void TearDownTestSuite() { fs::remove_all(work_); }

    static void Make(const std::string& name, const std::string& arguments) {
        if (std::system(("ffmpeg -v error -y " + arguments + " " + Quoted(work_ / name)).c_str()) != 0) {
            problems_ += "could not make " + name + "; ";
        }
    }

    static fs::path work_;
    static std::string problems_;
    static std::map<std::string, std::string> reported_;
};

fs::path PlayerEndToEnd::work_;
std::string PlayerEndToEnd::problems_;
std::map<std::string, std::string> PlayerEndToEnd::reported_;

TEST_F(PlayerEndToEnd, DurationsAgreeWithFfprobe) {
    ASSERT_EQ(problems_, "");
    for (const char* clip : {"clip.rm", "clip.avi", "dvd.mpg", "clip.mp4"}) {
        const std::string key = std::string("duration ") + clip;
        ASSERT_EQ(reported_.count(key), 1u) << clip;
        EXPECT_NEAR(std::atof(reported_[key].c_str()), std::atof(Probe(work_ / clip)["duration"].c_str()), 0.1) << clip;
    }
}

TEST_F(PlayerEndToEnd, RealMediaRangeIsExportedInBothForms) {
    ASSERT_EQ(problems_, "");
    const struct {
        const char* file;
        const char* video;
        const char* audio;
    } forms[] = {{"export.avi", "msmpeg4v3", "mp3"}, {"export.mpg", "mpeg1video", "mp2"}};
    for (const auto& form : forms) {
        SCOPED_TRACE(form.file);
        EXPECT_EQ(reported_[std::string("export ") + form.file], "0");
        std::map<std::string, std::string> facts = Probe(work_ / "out" / form.file);
        EXPECT_EQ(facts["video.codec_name"], form.video);
        EXPECT_EQ(facts["audio.codec_name"], form.audio);
        EXPECT_EQ(facts["video.width"], "320");
        EXPECT_EQ(facts["video.height"], "240");
        EXPECT_NEAR(std::atof(facts["duration"].c_str()), 2.0, 0.3);
    }
}

}  // namespace
