#include "engine/encoder_runner.h"

#include <gmock/gmock.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "engine/encoder_log.h"
#include "engine/folder_path.h"
#include "framework/process_launcher.h"
#include "support/app_folder_fixture.h"
#include "support/message_button.h"

using ::testing::ElementsAre;
using ::testing::StartsWith;

namespace {

// A named event an encoder waits on with "--await NAME": hand-shakes instead of
// sleeps. Made before the encoder starts, so it cannot be opened too early.
class Gate {
public:
    explicit Gate(const char* name) : event_(CreateEventA(nullptr, TRUE, FALSE, name)) {}
    void Open() const { SetEvent(event_.Get()); }
    bool Opened(DWORD waitMs) const { return WaitForSingleObject(event_.Get(), waitMs) == WAIT_OBJECT_0; }

private:
    CKernelHandle event_;
};

// Each test runs in a fresh app folder made the current directory, where the
// encoders write their files and "log.txt" appears.
class EncoderRunnerTest : public AppFolderTest {
protected:
    bool stop = false;
    CEncoderRunner runner{stop};
    std::vector<std::string> chunks;

    void SetUp() override {
        AppFolderTest::SetUp();
        SetCurrentDirectoryA((folder.Path() + "app").c_str());
    }

    static std::string FakeEncoder() {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        return FolderOfPath(self) + "fake_encoder.exe";
    }
    static std::string Command(const std::string& script) { return "\"" + FakeEncoder() + "\" " + script; }

    ProgramEnd RunPiped(const std::string& script, const std::function<void(const char*)>& alsoOnChunk = nullptr) {
        return runner.RunEncoder(Command(script), [&](const char* chunk) {
            chunks.push_back(chunk);
            if (alsoOnChunk) alsoOnChunk(chunk);
        });
    }

    std::string AppFile(const std::string& name) const { return folder.Read("app\\" + name); }
};

// Windows hands out a closed handle's value again, so a second StopEncoder
// that closed the spent pipe again could close another object.
TEST_F(EncoderRunnerTest, AnEncoderThatPrintsNothingEndsTheRunQuietlyAndLaterStopsAreHarmless) {
    RunPiped("");
    runner.StopEncoder();
    const HANDLE other = CreateFileA("other.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    runner.StopEncoder();
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(other, "kept", 4, &written, nullptr));
    CloseHandle(other);
    EXPECT_FALSE(folder.Exists("app\\log.txt"));
}

// Each write waits until the one before it has been read, so the reads are the
// writes; a longer write arrives in 255-byte texts, each terminated.
TEST_F(EncoderRunnerTest, ChunksReachTheHandlerAsTheyWereReadNeitherSplitIntoLinesNorJoined) {
    const Gate first("runner-c1"), second("runner-c2");
    RunPiped(
        R"(--print "one\ntwo\r\n" --await runner-c1 --print "size=     512kB" --await runner-c2 --stderr "on stderr")",
        [&](const char* chunk) {
            if (std::strcmp(chunk, "one\ntwo\r\n") == 0) first.Open();
            if (std::strcmp(chunk, "size=     512kB") == 0) second.Open();
        });
    EXPECT_THAT(chunks, ElementsAre("one\ntwo\r\n", "size=     512kB", "on stderr"));

    chunks.clear();
    RunPiped("--print " + std::string(300, 'x'));
    EXPECT_THAT(chunks, ElementsAre(std::string(255, 'x'), std::string(45, 'x')));

    // A program the encoder started may hold the pipe long after: the run ends with the encoder.
    chunks.clear();
    const Gate late("runner-late"), gone("runner-gone");
    RunPiped(R"(--spawn "--await runner-late --print late --signal runner-gone" --print early)");
    late.Open();
    EXPECT_TRUE(gone.Opened(30000));
    EXPECT_THAT(chunks, ElementsAre("early"));
    EXPECT_FALSE(folder.Exists("app\\log.txt"));
}

// Silence counts from the last output: an encoder that prints now and then
// runs on; one that stops printing is ended and reported stalled. One that
// ignores its "q" is given a bounded time, then ended. Each end is logged.
TEST_F(EncoderRunnerTest, HangingEncodersAreEndedAfterTheirTime) {
    CEncoderRunner impatient(stop, 1500);
    const ProgramEnd steady = impatient.RunEncoder(Command("--progress 5 500"), [](const char*) {});
    EXPECT_EQ(steady.exitCode, 0u);
    EXPECT_FALSE(steady.stalled);
    const ProgramEnd hung = impatient.RunEncoder(Command("--print ready --sleep 30000"), [](const char*) {});
    EXPECT_EQ(hung.exitCode, 1u);
    EXPECT_TRUE(hung.stalled);
    EXPECT_THAT(AppFile("log.txt"), StartsWith("ERROR:   API         =   ReadFile.\r\n"));
    DeleteFileA("log.txt");
    RunPiped("--print ready --sleep 120000", [this](const char* chunk) {
        if (std::strcmp(chunk, "ready") == 0) runner.StopEncoder();
    });
    EXPECT_THAT(AppFile("log.txt"), StartsWith("ERROR:   API         =   WaitForSingleObject.\r\n"));
}

// Children side by side: the first one's output breaks as soon as it ends,
// although the second, started while the first held its pipe, runs on.
TEST_F(EncoderRunnerTest, AChildHoldsNoneOfAnotherChildsPipeEnds) {
    const Gate firstEnds("runner-first"), secondEnds("runner-second");
    CKernelHandle read, write;
    ASSERT_TRUE(MakePipe(read, write));
    const CChildProcess first = StartProcess(Command("--await runner-first"), {nullptr, write.Get(), nullptr});
    const CChildProcess second = StartProcess(Command("--await runner-second"), {});
    write.Reset();
    firstEnds.Open();
    // Wine closes an ended program's handles a moment after it reports the end.
    bool broken = false;
    for (int look = 0; look < 500 && !broken; Sleep(20), ++look) {
        broken =
            !PeekNamedPipe(read.Get(), nullptr, 0, nullptr, nullptr, nullptr) && GetLastError() == ERROR_BROKEN_PIPE;
    }
    EXPECT_TRUE(broken);
    EXPECT_FALSE(second.Ended());
    secondEnds.Open();
    second.Wait(30000);
}

// The stop button's handler runs inside the run, dispatched while a hidden
// pass runs: it sets the flag, and the pass is ended at once; an export can
// end in that turn, and nothing its item runs next may start. (A piped
// encoder finishing its file after its "q" is the run's exported-item case.)
TEST_F(EncoderRunnerTest, StopFromADispatchedMessageEndsAHiddenRunAtOnceAndNothingStartsAfterIt) {
    MessageButton stopButton([this] {
        stop = true;
        runner.StopEncoder();
    });
    EXPECT_EQ(runner.RunHidden(Command("--post " + stopButton.Handle() + " --sleep 30000")).exitCode, 0u);
    EXPECT_TRUE(stop);
    // After it no pass starts, piped or hidden.
    EXPECT_FALSE(RunPiped("--create late.txt x").exitCode);
    EXPECT_FALSE(runner.RunHidden(Command("--create late.txt x")).exitCode);
    EXPECT_FALSE(folder.Exists("app\\late.txt"));
}

TEST_F(EncoderRunnerTest, AddToITunesRunsTheHelperWithTheQuotedPathAndWaitsButRefusesOverlongPaths) {
    ASSERT_TRUE(CopyFileA(FakeEncoder().c_str(), "VavuDuzuv.exe", FALSE));
    const std::string longest = "C:\\clip " + std::string(234, 'a') + ".m4v";  // 246 characters
    EXPECT_EQ(runner.AddToITunes(longest).exitCode, 0u);
    EXPECT_FALSE(runner.AddToITunes("C:\\a" + longest.substr(3)).exitCode);
    EXPECT_EQ(AppFile("vavuduzuv-journal.txt"), "VavuDuzuv \"" + longest + "\" \n");
}

// A piped start that fails leaves one entry naming the call, the last error
// and the system's message. The log, in the current directory (the app folder
// during a run), is made by its first text and only ever added to, every line
// end written as CR LF.
TEST_F(EncoderRunnerTest, ACommandThatCannotStartAddsOneLogEntryWithTheSystemsMessage) {
    AppendLog("earlier\nentry\n");
    EXPECT_FALSE(runner.RunEncoder("no-such-encoder.exe -i clip.avi", [](const char*) {}).exitCode);
    const std::string entry =
        "earlier\r\nentry\r\nERROR:   API         =   CreateProcess.\r\n       error   code   =   2.\r\n"
        "       message         =   ";
    const std::string entries = AppFile("log.txt");
    EXPECT_THAT(entries, StartsWith(entry));
    EXPECT_THAT(entries.substr(entry.size()), StartsWith("File not found")) << "the system's message";
    EXPECT_EQ(entries.find("ERROR:", entry.size()), std::string::npos) << entries;
}

}  // namespace
