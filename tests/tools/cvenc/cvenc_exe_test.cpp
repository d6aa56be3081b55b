// cvenc.exe as the converter runs it: from the app folder with ffmpeg.exe
// beside it, standard handles on pipes, stopped by 'q' or by termination.

#include <windows.h>

#include <gmock/gmock.h>
// after windows.h, which it needs
#include <tlhelp32.h>

#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "cvenc/mp4_boxes.h"
#include "cvenc/picture_fit.h"
#include "memory_file.h"
#include "support/temp_folder.h"

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

namespace {

constexpr DWORD kEncodeTime = 60000;
constexpr DWORD kStopTime = 20000;

class CvencExe : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new TempFolder;
        folder_->MakeFolder("app & tools");
        folder_->MakeFolder("My Videos");
        folder_->MakeFolder("alone");
        ASSERT_TRUE(CopyFileA(CVENC_EXE, App("cvenc.exe").c_str(), FALSE)) << CVENC_EXE;
        ASSERT_TRUE(CopyFileA(FFMPEG_EXE, App("ffmpeg.exe").c_str(), FALSE)) << FFMPEG_EXE << " (run scripts/setup)";
        ASSERT_TRUE(CopyFileA(CVENC_EXE, (folder_->Path() + "alone\\cvenc.exe").c_str(), FALSE));
        // The source clip, made through cvenc's pass-through of plain FFmpeg options.
        const Finished made =
            RunToEnd(Cvenc("-f lavfi -i testsrc=duration=3:size=320x240:rate=25 -f lavfi "
                           "-i sine=duration=3 -vcodec mpeg4 -acodec mp3 -y \"" +
                           Source() + "\""));
        ASSERT_EQ(made.exitCode, 0) << made.errors;
        const Finished madeSilent =
            RunToEnd(Cvenc("-f lavfi -i testsrc=duration=3:size=320x240:rate=25 -an "
                           "-vcodec mpeg4 -y \"" +
                           SilentSource() + "\""));
        ASSERT_EQ(madeSilent.exitCode, 0) << madeSilent.errors;
    }
    static void TearDownTestSuite() { delete folder_; }

    static std::string App(const std::string& name) { return folder_->Path() + "app & tools\\" + name; }
    static std::string Video(const std::string& name) { return folder_->Path() + "My Videos\\" + name; }
    static std::string Source() { return Video("a & b.avi"); }
    static std::string SilentSource() { return Video("no sound.avi"); }  // 3 s of video only
    static std::string Cvenc(const std::string& arguments) { return "\"" + App("cvenc.exe") + "\" " + arguments; }
    // Ten hours of video: far longer than any wait here, so only a stop ends it.
    static std::string LongEncode(const std::string& output, const std::string& options = "") {
        return Cvenc("-f lavfi -i testsrc=duration=36000:size=320x240:rate=25 -vcodec mpeg4 -b 300 " + options +
                     " -y \"" + output + "\"");
    }

    // Decodes every frame with the real FFmpeg: a file that is not finished fails.
    static void ExpectPlays(const std::string& path) {
        const Finished decoded = RunToEnd("\"" + App("ffmpeg.exe") + "\" -v error -i \"" + path + "\" -f null -");
        EXPECT_EQ(decoded.exitCode, 0) << path;
        EXPECT_THAT(decoded.errors, IsEmpty()) << path;
    }

    // FFmpeg's listing of the file: its duration in seconds, and its streams ("Video", "Audio"...) in order.
    static std::string Listing(const std::string& path) {
        return RunToEnd("\"" + App("ffmpeg.exe") + "\" -hide_banner -i \"" + path + "\"").errors;
    }
    static double Seconds(const std::string& path) {
        int hours = 0, minutes = 0;
        double seconds = -1;
        const std::string listing = Listing(path);
        const std::size_t at = listing.find("Duration: ");
        return at != std::string::npos &&
                       std::sscanf(listing.c_str() + at + 10, "%d:%d:%lf", &hours, &minutes, &seconds) == 3
                   ? hours * 3600.0 + minutes * 60.0 + seconds
                   : -1;
    }
    static std::vector<std::string> StreamKinds(const std::string& path) {
        const std::string listing = Listing(path);
        const std::regex stream("Stream #0:[0-9]+[^:]*: ([A-Za-z]+):");
        std::vector<std::string> kinds;
        for (std::sregex_iterator at(listing.begin(), listing.end(), stream), end; at != end; ++at) {
            kinds.push_back((*at)[1]);
        }
        return kinds;
    }

    // The FFmpeg command that cvenc says it runs.
    static std::string CommandRun(const std::string& errors) {
        const std::size_t at = errors.find("cvenc: running ");
        return at == std::string::npos ? std::string() : errors.substr(at, errors.find("\r\n", at) - at);
    }

    // Where the index stands: "moov" first or "mdat" first.
    static std::string FirstOfIndexAndMedia(const std::string& path) {
        MemoryFile file(folder_->Read(path.substr(folder_->Path().size())));
        std::vector<Box> boxes;
        std::string error;
        EXPECT_TRUE(ReadTopLevelBoxes(file, boxes, error)) << error;
        for (const Box& box : boxes) {
            if (box.type == "moov" || box.type == "mdat") return box.type;
        }
        return error;
    }

    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);) lines.push_back(line);
        return lines;
    }

    static bool ShowsProgress(const std::string& output) { return output.find(" time=") != std::string::npos; }

    static TempFolder* folder_;
};

TempFolder* CvencExe::folder_ = nullptr;

TEST_F(CvencExe, ConvertsAnIpodCommandAndReportsProgressInSeconds) {
    const std::string output = Video("out a.mp4");
    const Finished run = RunToEnd(Cvenc("-i \"" + Source() +
                                        "\"  -ss 00:00:01 -t 00:00:02 -vcodec h264 -coder 0 "
                                        "-vlevel 13 -bufsize 256 -g 250 -s 320x240 -r 29.97 -b 768 -aspect 4:3 "
                                        "-acodec aac -ac 2 -ab 128 -ar 44100 -vol 512 -title \"x\" -y \"" +
                                        output + "\""),
                                  kEncodeTime);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::vector<std::string> progress = Lines(run.output);
    ASSERT_THAT(progress, Not(IsEmpty()));
    const std::regex progressLine(".*size= *[0-9]+kB time=[0-9]+\\.[0-9][0-9] .*\r");
    for (const std::string& line : progress) EXPECT_TRUE(std::regex_match(line, progressLine)) << line;
    EXPECT_THAT(progress.back(), HasSubstr("time=2.0"));
    EXPECT_THAT(run.errors, Not(HasSubstr("time=")));
    EXPECT_THAT(run.errors, HasSubstr("cvenc: running"));
    ExpectPlays(output);
}

TEST_F(CvencExe, MakesAThreeGppWithAmrAndMovesItsIndexToTheFront) {
    const std::string output = Video("clip & more.3gp");
    const Finished run = RunToEnd(Cvenc("-i \"" + Source() +
                                        "\" -ss   -t   -vcodec h263 -s 176x144 -r 15 -b 128 "
                                        "-acodec amr_nb -ar 8000 -ac 1 -ab 12.2 -y \"" +
                                        output + "\""),
                                  kEncodeTime);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_EQ(FirstOfIndexAndMedia(output), "mdat");
    const Finished moved = RunToEnd(Cvenc("-faststart \"" + output + "\""));
    EXPECT_EQ(moved.exitCode, 0) << moved.errors;
    EXPECT_EQ(FirstOfIndexAndMedia(output), "moov");
    ExpectPlays(output);
}

TEST_F(CvencExe, QOnStandardInputFinishesALongEncodeEarly) {
    const std::string output = Video("stopped.mp4");
    ChildProcess cvenc(LongEncode(output));
    ASSERT_TRUE(cvenc.WaitForOutput(ShowsProgress, kEncodeTime)) << cvenc.Errors();
    // As the converter stops: 'q', then its end of the pipe closes at once.
    cvenc.Send("q");
    cvenc.CloseInput();
    EXPECT_EQ(cvenc.Finish(kStopTime), 0) << cvenc.Errors();
    ExpectPlays(output);
    EXPECT_LT(Seconds(output), 60);
}

// The rule's own numbers against what FFmpeg made of the chain: a white
// source, one frame as raw grey bytes (the luma as the encoders get it), white
// exactly where the picture belongs and video black (16) elsewhere.
TEST_F(CvencExe, FitsThePictureWhereTheRuleSaysWithBlackAround) {
    struct Case {
        const char* source;  // lavfi
        int width, height;
        double sampleAspect;
        DisplayArea area;
        const char* size;  // cvenc's options for the area
    };
    const Case cases[] = {
        {"color=c=white:size=720x576,setsar=64/45", 720, 576, 64.0 / 45, {320, 240, {320, 240}}, "320x240"},
        {"color=c=white:size=640x480", 640, 480, 1, {368, 208, {16, 9}}, "368x208 -aspect 16:9"}};
    const std::string output = Video("frame.gray");
    for (const Case& fit : cases) {
        SCOPED_TRACE(fit.source);
        const Finished run = RunToEnd(Cvenc("-f lavfi -i " + std::string(fit.source) + " -vframes 1 -s " + fit.size +
                                            " -pix_fmt gray -f rawvideo -y \"" + output + "\""),
                                      kEncodeTime);
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        const std::string frame = folder_->Read(output.substr(folder_->Path().size()));
        const DisplayArea& area = fit.area;
        ASSERT_EQ(frame.size(), static_cast<std::size_t>(area.width * area.height));
        const PictureSize<double> picture = FitPicture<double>(fit.width, fit.height, fit.sampleAspect, area);
        const double left = LeadingBar<double>(area.width, picture.width);
        const double top = LeadingBar<double>(area.height, picture.height);
        int wrong = 0;
        for (int y = 0; y < area.height; ++y) {
            for (int x = 0; x < area.width; ++x) {
                const bool inPicture = x >= left && x < left + picture.width && y >= top && y < top + picture.height;
                const int luma = static_cast<unsigned char>(frame[y * area.width + x]);
                if (inPicture ? luma < 235 : luma > 16) ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0) << "expected " << picture.width << "x" << picture.height << " at " << left << "," << top;
    }
}

// FFmpeg's psp muxer refuses a file without audio, and the PSP profiles say -needaudio.
TEST_F(CvencExe, NeedAudioGivesOnlyASilentClipASilentTrackThatEndsWithTheVideo) {
    const std::string output = Video("OUT.MP4");
    const std::string options =
        "\" -ss 00:00:01 -t 00:00:01.5 -vcodec xvid -s 320x240 -acodec aac -ar 48000 "
        "-needaudio -f psp -y \"" +
        output + "\"";
    const Finished silent = RunToEnd(Cvenc("-i \"" + SilentSource() + options), kEncodeTime);
    ASSERT_EQ(silent.exitCode, 0) << silent.errors;
    EXPECT_THAT(CommandRun(silent.errors), HasSubstr("anullsrc"));
    // The probe before the encode says nothing on standard output.
    ASSERT_THAT(Lines(silent.output), Not(IsEmpty()));
    for (const std::string& line : Lines(silent.output)) EXPECT_TRUE(ShowsProgress(line)) << line;
    EXPECT_THAT(StreamKinds(output), testing::ElementsAre("Video", "Audio"));
    EXPECT_NEAR(Seconds(output), 1.5, 0.1);
    ExpectPlays(output);

    const Finished withSound = RunToEnd(Cvenc("-i \"" + Source() + options), kEncodeTime);
    ASSERT_EQ(withSound.exitCode, 0) << withSound.errors;
    EXPECT_THAT(CommandRun(withSound.errors), AllOf(HasSubstr("a & b.avi"), Not(HasSubstr("anullsrc"))));
    EXPECT_THAT(StreamKinds(output), testing::ElementsAre("Video", "Audio"));
}

std::vector<DWORD> ChildrenNamed(DWORD parent, const char* name) {
    std::vector<DWORD> children;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parent && lstrcmpiA(entry.szExeFile, name) == 0) {
            children.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return children;
}

TEST_F(CvencExe, TerminatingCvencEndsFfmpegToo) {
    ChildProcess cvenc(LongEncode(Video("terminated.mp4")));
    ASSERT_TRUE(cvenc.WaitForOutput(ShowsProgress, kEncodeTime)) << cvenc.Errors();
    const std::vector<DWORD> ffmpeg = ChildrenNamed(cvenc.Id(), "ffmpeg.exe");
    ASSERT_EQ(ffmpeg.size(), 1u);
    const HANDLE ffmpegProcess = OpenProcess(SYNCHRONIZE, FALSE, ffmpeg[0]);
    ASSERT_NE(ffmpegProcess, nullptr);

    TerminateProcess(cvenc.Handle(), 1);
    EXPECT_EQ(WaitForSingleObject(ffmpegProcess, 10000), WAIT_OBJECT_0);
    CloseHandle(ffmpegProcess);
    EXPECT_THAT(ChildrenNamed(cvenc.Id(), "ffmpeg.exe"), IsEmpty());
}

TEST_F(CvencExe, ReportsWhatItCannotDo) {
    const Finished alone = RunToEnd("\"" + folder_->Path() + "alone\\cvenc.exe\" -i \"" + Source() + "\" -y o.mp4");
    EXPECT_NE(alone.exitCode, 0);
    EXPECT_THAT(alone.errors, HasSubstr("cannot find ffmpeg.exe"));

    // FFmpeg's own failure comes back as its exit code.
    const Finished missingInput = RunToEnd(Cvenc("-i \"" + Video("none.avi") + "\" -y \"" + Video("none.mp4") + "\""));
    EXPECT_EQ(missingInput.exitCode, 1);
    EXPECT_THAT(missingInput.errors, HasSubstr("none.avi"));
}

}  // namespace
