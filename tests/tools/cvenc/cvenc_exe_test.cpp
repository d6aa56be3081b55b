// cvenc.exe as the converter runs it: from the app folder with ffmpeg.exe
// beside it, standard handles on pipes, stopped by 'q' or by termination.

#include <windows.h>

#include <gmock/gmock.h>
// after windows.h, which it needs
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

#include "child_process.h"
#include "support/temp_folder.h"

using ::testing::HasSubstr;
using ::testing::IsEmpty;

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
    }
    static void TearDownTestSuite() { delete folder_; }

    static std::string App(const std::string& name) { return folder_->Path() + "app & tools\\" + name; }
    static std::string Video(const std::string& name) { return folder_->Path() + "My Videos\\" + name; }
    static std::string Source() { return Video("a & b.avi"); }
    static std::string Cvenc(const std::string& arguments) { return "\"" + App("cvenc.exe") + "\" " + arguments; }
    // Ten hours of video: far longer than any wait here, so only a stop ends it.
    static std::string LongEncode(const std::string& output) {
        return Cvenc("-f lavfi -i testsrc=duration=36000:size=320x240:rate=25 -vcodec mpeg4 -b 300 -y \"" + output +
                     "\"");
    }

    // Decodes every frame with the real FFmpeg: a file that is not finished fails.
    static void ExpectPlays(const std::string& path) {
        const Finished decoded = RunToEnd("\"" + App("ffmpeg.exe") + "\" -v error -i \"" + path + "\" -f null -");
        EXPECT_EQ(decoded.exitCode, 0) << path;
        EXPECT_THAT(decoded.errors, IsEmpty()) << path;
    }

    // The file's duration in seconds, from FFmpeg's listing of it.
    static double Seconds(const std::string& path) {
        int hours = 0, minutes = 0;
        double seconds = -1;
        const std::string listing = RunToEnd("\"" + App("ffmpeg.exe") + "\" -hide_banner -i \"" + path + "\"").errors;
        const std::size_t at = listing.find("Duration: ");
        return at != std::string::npos &&
                       std::sscanf(listing.c_str() + at + 10, "%d:%d:%lf", &hours, &minutes, &seconds) == 3
                   ? hours * 3600.0 + minutes * 60.0 + seconds
                   : -1;
    }
    static bool ShowsProgress(const std::string& output) { return output.find(" time=") != std::string::npos; }

    static TempFolder* folder_;
};

TempFolder* CvencExe::folder_ = nullptr;

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
