// cvenc.exe as the converter runs it: from the app folder with ffmpeg.exe
// beside it, through the converter's own runner (output and errors on one
// pipe), stopped by 'q' or by termination.

#include <windows.h>

#include <gmock/gmock.h>
// after windows.h, which it needs
#include <tlhelp32.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/encoder_runner.h"
#include "engine/pass_output.h"
#include "support/temp_folder.h"

using ::testing::HasSubstr;

namespace {

const bool noStop = false;

struct Finished {
    DWORD exitCode;
    std::string output;  // standard output and error together
};

// Runs a program through the converter's runner until it ends by itself.
Finished RunToEnd(const std::string& commandLine) {
    Finished finished = {STILL_ACTIVE, ""};
    CEncoderRunner runner(noStop);
    const ProgramEnd end = runner.RunEncoder(commandLine, [&](const char* chunk) { finished.output += chunk; });
    if (end.exitCode) finished.exitCode = *end.exitCode;
    return finished;
}

class CvencExe : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new TempFolder;
        folder_->MakeFolder("app & tools");
        folder_->MakeFolder("My Videos");
        ASSERT_TRUE(CopyFileA(CVENC_EXE, App("cvenc.exe").c_str(), FALSE)) << CVENC_EXE;
        ASSERT_TRUE(CopyFileA(FFMPEG_EXE, App("ffmpeg.exe").c_str(), FALSE)) << FFMPEG_EXE << " (run scripts/setup)";
        // Where the runner writes its log, as the converter's run does.
        SetCurrentDirectoryA(App("").c_str());
    }
    static void TearDownTestSuite() {
        SetCurrentDirectoryA(folder_->Path().c_str());
        delete folder_;
    }

    static std::string App(const std::string& name) { return folder_->Path() + "app & tools\\" + name; }
    static std::string Video(const std::string& name) { return folder_->Path() + "My Videos\\" + name; }
    static std::string Cvenc(const std::string& arguments) { return "\"" + App("cvenc.exe") + "\" " + arguments; }
    // Ten hours of video, through cvenc's pass-through of plain FFmpeg options:
    // far longer than any wait here, so only a stop ends it.
    static std::string LongEncode(const std::string& output) {
        return Cvenc("-f lavfi -i testsrc=duration=36000:size=320x240:rate=25 -vcodec mpeg4 -b 300 -y \"" + output +
                     "\"");
    }

    static bool ShowsProgress(const std::string& output) { return output.find(" time=") != std::string::npos; }

    static TempFolder* folder_;
};

TempFolder* CvencExe::folder_ = nullptr;

// As the converter stops: 'q', then its ends of the pipes close at once. A
// ten-hour encode that ended within the runner's time (no log entry), as
// FFmpeg ends a good run, was finished early by the 'q'.
TEST_F(CvencExe, QOnStandardInputFinishesALongEncodeEarly) {
    std::string printed;
    CEncoderRunner runner(noStop);
    const ProgramEnd end = runner.RunEncoder(LongEncode(Video("stopped.mp4")), [&](const char* chunk) {
        printed += chunk;
        if (ShowsProgress(printed)) runner.StopEncoder();
    });
    EXPECT_EQ(end.exitCode, std::optional<DWORD>(0)) << printed;
    EXPECT_FALSE(folder_->Exists("app & tools\\log.txt")) << printed;
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

// Once cvenc shows progress it is terminated, then stopped as the converter
// would, so the run ends whatever happens; its FFmpeg must end with it.
TEST_F(CvencExe, TerminatingCvencEndsFfmpegToo) {
    HANDLE ffmpeg = nullptr;
    std::string printed;
    CEncoderRunner runner(noStop);
    runner.RunEncoder(LongEncode(Video("terminated.mp4")), [&](const char* chunk) {
        printed += chunk;
        if (!ShowsProgress(printed)) return;
        const std::vector<DWORD> cvenc = ChildrenNamed(GetCurrentProcessId(), "cvenc.exe");
        const std::vector<DWORD> children = cvenc.size() == 1 ? ChildrenNamed(cvenc[0], "ffmpeg.exe") : cvenc;
        if (children.size() == 1) {
            ffmpeg = OpenProcess(SYNCHRONIZE, FALSE, children[0]);
            const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, cvenc[0]);
            TerminateProcess(process, 1);
            CloseHandle(process);
        }
        runner.StopEncoder();
    });
    ASSERT_NE(ffmpeg, nullptr) << "one cvenc with one FFmpeg: " << printed;
    EXPECT_EQ(WaitForSingleObject(ffmpeg, 10000), WAIT_OBJECT_0);
    CloseHandle(ffmpeg);
}

// What the converter reads in cvenc's output: FFmpeg's closing summary of a
// whole encode, its refusal to write over a file when told not to, and
// FFmpeg's failures.
TEST_F(CvencExe, SaysWhatItDidAndWhatItCannotDo) {
    const std::string output = Video("short.mp4");
    const std::string encode = Cvenc("-f lavfi -i testsrc=duration=1 -n \"" + output + "\"");
    const Finished whole = RunToEnd(encode);
    EXPECT_TRUE(ShowsFinishedEncode(whole.output, 3600)) << whole.output;
    const Finished refused = RunToEnd(encode);
    EXPECT_TRUE(RefusedExistingFile(refused.output, output)) << refused.output;

    // FFmpeg's own failure comes back as its exit code.
    const Finished missingInput = RunToEnd(Cvenc("-i \"" + Video("none.avi") + "\" -y \"" + Video("none.mp4") + "\""));
    EXPECT_EQ(missingInput.exitCode, 1u);
    EXPECT_THAT(missingInput.output, HasSubstr("none.avi"));
}

}  // namespace
