#include "engine/encoder_runner.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "engine/encoder_log.h"
#include "engine/folder_path.h"
#include "engine/run_state.h"
#include "support/app_folder_fixture.h"
#include "support/message_button.h"

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::StartsWith;

namespace {

// A named event an encoder waits on with "--await NAME": hand-shakes instead of
// sleeps. Made before the encoder starts, so it cannot be opened too early.
class Gate {
public:
    explicit Gate(const char* name) : event_(CreateEventA(nullptr, TRUE, FALSE, name)) {}
    ~Gate() { CloseHandle(event_); }
    Gate(const Gate&) = delete;
    Gate& operator=(const Gate&) = delete;
    void Open() const { SetEvent(event_); }

private:
    HANDLE event_;
};

// Each test runs in a fresh app folder made the current directory, where the
// encoders write their files and "log.txt" appears.
class EncoderRunnerTest : public AppFolderTest {
protected:
    std::vector<std::string> chunks;

    void SetUp() override {
        AppFolderTest::SetUp();
        SetCurrentDirectoryA((folder.Path() + "app").c_str());
        cancelRequested = false;
    }
    void TearDown() override {
        StopEncoder();
        cancelRequested = false;
        AppFolderTest::TearDown();
    }

    static std::string FakeEncoder() {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        return FolderOfPath(self) + "fake_encoder.exe";
    }

    // A command buffer as the family routines reserve it.
    static std::vector<char> Buffer(const std::string& text) {
        std::vector<char> buffer(kCommandBufferSize, '\0');
        text.copy(buffer.data(), buffer.size() - 1);
        return buffer;
    }
    // One that names the fake encoder with the script.
    static std::vector<char> Command(const std::string& script) {
        return Buffer("\"" + FakeEncoder() + "\" " + script);
    }

    ExitCode RunPiped(const std::string& script, const std::function<void(const char*)>& alsoOnChunk = nullptr) {
        return RunEncoder(Command(script).data(), [&](const char* chunk) {
            EXPECT_LE(std::strlen(chunk), 255u);
            chunks.push_back(chunk);
            if (alsoOnChunk) alsoOnChunk(chunk);
        });
    }

    bool AppHas(const std::string& name) const { return folder.Exists("app\\" + name); }
    std::string AppFile(const std::string& name) const { return folder.Read("app\\" + name); }
};

// The exit code is the encoder's own: a crash is no success. Windows hands out
// a closed handle's value again, so a second StopEncoder that closed the spent
// pipe again could hit another object.
TEST_F(EncoderRunnerTest, EncodersThatEndWithoutOutputEndTheRunQuietlyAndLaterStopsAreHarmless) {
    for (const auto& [script, exitCode] :
         {std::pair<const char*, DWORD>{"", 0}, {"--crash", EXCEPTION_ACCESS_VIOLATION}, {"--sleep 200", 0}}) {
        EXPECT_EQ(RunPiped(script), exitCode) << script;
        StopEncoder();
        EXPECT_THAT(chunks, IsEmpty()) << script;
        EXPECT_FALSE(AppHas("log.txt")) << script;
    }
    const HANDLE other = CreateFileA("other.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    StopEncoder();
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(other, "kept", 4, &written, nullptr));
    CloseHandle(other);
    EXPECT_EQ(AppFile("other.txt"), "kept");
    EXPECT_FALSE(AppHas("log.txt"));
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

    // A grandchild that inherited the pipe is still read after the encoder has ended.
    chunks.clear();
    const Gate late("runner-late");
    RunPiped(R"(--spawn "--await runner-late --print late" --print early)", [&](const char* chunk) {
        if (std::strcmp(chunk, "early") == 0) late.Open();
    });
    EXPECT_THAT(chunks, ElementsAre("early", "late"));
    EXPECT_FALSE(AppHas("log.txt"));
}

// Each piped start that fails leaves one entry naming the call; a hidden one leaves none.
TEST_F(EncoderRunnerTest, CommandsThatCannotStartAreLoggedOnceWhenPipedAndSkippedQuietlyWhenHidden) {
    for (const std::string text : {"no-such-encoder.exe -i clip.avi", ""}) {
        RunHidden(Buffer(text).data());
        EXPECT_FALSE(AppHas("log.txt")) << text;
        EXPECT_FALSE(RunEncoder(Buffer(text).data(), [&](const char* chunk) { chunks.push_back(chunk); })) << text;
        StopEncoder();
        const std::string entry = AppFile("log.txt");
        EXPECT_THAT(entry, StartsWith("ERROR:   API         =   CreateProcess.\r\n")) << text;
        EXPECT_EQ(entry.find("ERROR:", 1), std::string::npos) << entry;
        DeleteFileA("log.txt");
    }
    EXPECT_THAT(chunks, IsEmpty());
}

// The stop button's handler runs inside the run, dispatched while a piped
// encoder waits for "q": it sets the flag and stops the encoder. A hidden run
// dispatches it while its program runs, which is then ended.
TEST_F(EncoderRunnerTest, StopFromADispatchedMessageEndsPipedEncodersThroughQAndHiddenRunsAtOnce) {
    MessageButton stopButton([] {
        cancelRequested = true;
        StopEncoder();
    });
    RunPiped("--print ready --wait-q --sleep 100 --write done.txt stopped", [&](const char* chunk) {
        if (std::strcmp(chunk, "ready") == 0) PostMessageA(stopButton.Window(), WM_APP, 0, 0);
    });
    EXPECT_THAT(chunks, ElementsAre("ready"));
    EXPECT_EQ(AppFile("done.txt"), "stopped") << "the run returned before the encoder had finished";
    EXPECT_FALSE(AppHas("log.txt"));

    cancelRequested = false;
    RunHidden(Command("--post " + stopButton.Handle() + " --sleep 30000").data());
    EXPECT_TRUE(cancelRequested);
    RunHidden(Command("--write late.txt never").data());
    EXPECT_FALSE(AppHas("late.txt")) << "no pass starts after a Stop";
}

// An encoder that ignores "q" is given a bounded time, then ended and logged.
TEST_F(EncoderRunnerTest, AnEncoderThatIgnoresQIsEndedAfterItsTime) {
    RunPiped("--print ready --sleep 120000 --write done.txt late", [](const char* chunk) {
        if (std::strcmp(chunk, "ready") == 0) StopEncoder();
    });
    EXPECT_THAT(AppFile("log.txt"), StartsWith("ERROR:   API         =   WaitForSingleObject.\r\n"));
    EXPECT_FALSE(AppHas("done.txt"));
}

TEST_F(EncoderRunnerTest, AddToITunesRunsTheHelperWithTheQuotedPathAndWaitsButRefusesOverlongPaths) {
    ASSERT_TRUE(CopyFileA(FakeEncoder().c_str(), "VavuDuzuv.exe", FALSE));
    const std::string longest = "C:\\clip " + std::string(234, 'a') + ".m4v";  // 246 characters
    AddToITunes(longest.c_str());
    AddToITunes(("C:\\a" + longest.substr(3)).c_str());
    EXPECT_EQ(AppFile("vavuduzuv-journal.txt"), "VavuDuzuv \"" + longest + "\" \n");
}

// The log, in the current directory (the app folder during a run), is made by
// its first text and only ever added to, every line end written as CR LF. A
// code without a system message is still the code given (FormatMessageA sets
// its own when it fails). An overlong text is cut to the entry's 512 characters.
TEST_F(EncoderRunnerTest, LogEntriesNameTheCallTheLastErrorAndTheSystemsMessage) {
    AppendLog("earlier\nentry\n");
    SetLastError(ERROR_ACCESS_DENIED);
    LogApiError("DuplicateHandle");
    SetLastError(0x2000ABCD);
    LogApiError("CloseHandle");
    const std::string denied =
        "earlier\r\nentry\r\nERROR:   API         =   DuplicateHandle.\r\n       error   code   =   5.\r\n"
        "       message         =   ";
    const std::string unknown =
        "ERROR:   API         =   CloseHandle.\r\n       error   code   =   536914893.\r\n       message         =   "
        ".\r\n";
    const std::string entries = AppFile("log.txt");
    EXPECT_THAT(entries, StartsWith(denied));
    EXPECT_THAT(entries.substr(denied.size()), StartsWith("Access")) << "the system's message";
    EXPECT_THAT(entries, EndsWith(unknown));

    LogApiError(std::string(2000, 'N').c_str());
    std::string overlong = AppFile("log.txt").substr(entries.size());
    overlong.erase(std::remove(overlong.begin(), overlong.end(), '\r'), overlong.end());
    EXPECT_LT(overlong.size(), 512u);
    EXPECT_THAT(overlong, StartsWith("ERROR:   API         =   NNNN"));
    EXPECT_THAT(overlong, EndsWith(".\n"));
}

}  // namespace
