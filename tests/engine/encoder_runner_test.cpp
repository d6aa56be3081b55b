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

    // A command buffer as the family routines reserve it, naming the fake encoder with the script.
    static std::vector<char> Command(const std::string& script) {
        const std::string text = "\"" + FakeEncoder() + "\" " + script;
        std::vector<char> buffer(kCommandBufferSize, '\0');
        text.copy(buffer.data(), buffer.size() - 1);
        return buffer;
    }

    ExitCode RunPiped(const std::string& script, const std::function<void(const char*)>& alsoOnChunk = nullptr) {
        std::vector<char> command = Command(script);
        return RunEncoder(command.data(), [&](const char* chunk) {
            EXPECT_LE(std::strlen(chunk), 255u);
            chunks.push_back(chunk);
            if (alsoOnChunk) alsoOnChunk(chunk);
        });
    }

    void RunHiddenScript(const std::string& script) {
        std::vector<char> command = Command(script);
        RunHidden(command.data());
    }

    bool AppHas(const std::string& name) const { return folder.Exists("app\\" + name); }
    std::string AppFile(const std::string& name) const { return folder.Read("app\\" + name); }
};

// The exit code is the encoder's own: a crash is no success.
TEST_F(EncoderRunnerTest, EncodersThatEndWithoutOutputEndTheRunWithoutALogEntry) {
    for (const auto& [script, exitCode] : {std::pair<const char*, DWORD>{"", 0},
                                           {"--exit 3", 3},
                                           {"--crash", EXCEPTION_ACCESS_VIOLATION},
                                           {"--sleep 200", 0}}) {
        EXPECT_EQ(RunPiped(script), exitCode) << script;
        StopEncoder();
        EXPECT_THAT(chunks, IsEmpty()) << script;
        EXPECT_FALSE(AppHas("log.txt")) << script;
    }
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

TEST_F(EncoderRunnerTest, CommandsThatCannotStartAreLoggedOnceWhenPipedAndSkippedQuietlyWhenHidden) {
    char missingHidden[kCommandBufferSize] = "no-such-encoder.exe -i clip.avi";
    char emptyHidden[kCommandBufferSize] = "";
    EXPECT_FALSE(RunHidden(missingHidden));
    RunHidden(emptyHidden);
    EXPECT_FALSE(AppHas("log.txt"));

    const auto record = [&](const char* chunk) { chunks.push_back(chunk); };
    char missingPiped[kCommandBufferSize] = "no-such-encoder.exe -i clip.avi";
    EXPECT_FALSE(RunEncoder(missingPiped, record));
    StopEncoder();
    const std::string missingEntry = AppFile("log.txt");
    char emptyPiped[kCommandBufferSize] = "";
    RunEncoder(emptyPiped, record);
    const std::string emptyEntry = AppFile("log.txt").substr(missingEntry.size());
    EXPECT_THAT(chunks, IsEmpty());

    // The entry's exact text is what the log's own tests check.
    folder.Write("app\\log.txt", "");
    SetLastError(ERROR_FILE_NOT_FOUND);
    LogApiError("CreateProcess");
    EXPECT_EQ(missingEntry, AppFile("log.txt"));
    EXPECT_THAT(emptyEntry, StartsWith("ERROR:   API         =   CreateProcess.\r\n"));
    EXPECT_EQ(emptyEntry.find("ERROR:", 1), std::string::npos) << emptyEntry;
}

// The stop button's handler runs inside the run, dispatched while the encoder
// waits for "q": it sets the flag and stops the encoder.
TEST_F(EncoderRunnerTest, StopFromADispatchedMessageEndsAPipedEncoderThroughQ) {
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
}

// The hidden run dispatches the stop button's message while its program runs.
TEST_F(EncoderRunnerTest, StopDuringAHiddenRunTerminatesItAndNoPassStartsAfterIt) {
    MessageButton stopButton([] { cancelRequested = true; });
    const std::string post = "--post " + stopButton.Handle();
    RunHiddenScript(post + " --sleep 30000");
    EXPECT_TRUE(cancelRequested);
    RunHiddenScript("--write late.txt never");
    EXPECT_FALSE(AppHas("late.txt"));
}

// An encoder that ignores "q" is given a bounded time, then ended and logged.
TEST_F(EncoderRunnerTest, AnEncoderThatIgnoresQIsEndedAfterItsTime) {
    RunPiped("--print ready --sleep 120000 --write done.txt late", [](const char* chunk) {
        if (std::strcmp(chunk, "ready") == 0) StopEncoder();
    });
    EXPECT_THAT(AppFile("log.txt"), StartsWith("ERROR:   API         =   WaitForSingleObject.\r\n"));
    EXPECT_FALSE(AppHas("done.txt"));
}

// Windows hands out a closed handle's value again, so a second close could hit another object.
TEST_F(EncoderRunnerTest, StopEncoderAfterTheEncoderEndedAndAgainIsHarmless) {
    RunPiped("--print done");
    StopEncoder();
    EXPECT_EQ(encoderOutput, INVALID_HANDLE_VALUE);
    EXPECT_EQ(encoderInput, INVALID_HANDLE_VALUE);

    const HANDLE other = CreateFileA("other.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    StopEncoder();
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(other, "kept", 4, &written, nullptr));
    CloseHandle(other);
    EXPECT_EQ(AppFile("other.txt"), "kept");
    EXPECT_FALSE(AppHas("log.txt"));
}

TEST_F(EncoderRunnerTest, AddToITunesRunsTheHelperWithTheQuotedPathAndWaitsButRefusesOverlongPaths) {
    ASSERT_TRUE(CopyFileA(FakeEncoder().c_str(), "VavuDuzuv.exe", FALSE));
    const std::string longest = "C:\\clip " + std::string(234, 'a') + ".m4v";
    ASSERT_EQ(longest.size(), 246u);
    AddToITunes(longest.c_str());
    AddToITunes(("C:\\a" + longest.substr(3)).c_str());
    EXPECT_EQ(AppFile("vavuduzuv-journal.txt"), "VavuDuzuv \"" + longest + "\" \n");
}

// The log lands in the current directory, which during a run is the app folder.
using EncoderLogTest = EncoderRunnerTest;

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0x400,
                   reinterpret_cast<char*>(&text), 0, nullptr);
    const std::string message = text ? text : "";
    LocalFree(text);
    return message;
}

// One entry as it looks on disk, every line feed written as CR LF.
std::string EntryOnDisk(const std::string& api, long code, const std::string& message) {
    const std::string entry = "ERROR:   API         =   " + api +
                              ".\n       error   code   =   " + std::to_string(code) +
                              ".\n       message         =   " + message + ".\n";
    std::string onDisk;
    for (char c : entry) onDisk += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return onDisk;
}

// The log is made by its first text and only ever added to, every line end
// written as CR LF. FormatMessageA fails for a code without a message and sets
// a code of its own: that entry still carries the code it was given. An
// overlong text is cut to the entry's 512 characters.
TEST_F(EncoderLogTest, EntriesNameTheCallTheLastErrorAndTheSystemsMessageAtTheEnd) {
    AppendLog("earlier\nentry\n");
    AppendLog("");
    SetLastError(ERROR_ACCESS_DENIED);
    LogApiError("DuplicateHandle");
    const DWORD unknownCode = 0x2000ABCD;
    ASSERT_EQ(SystemMessage(unknownCode), "");
    SetLastError(unknownCode);
    LogApiError("CloseHandle");

    const std::string message = SystemMessage(ERROR_ACCESS_DENIED);
    ASSERT_FALSE(message.empty());
    const std::string entries = "earlier\r\nentry\r\n" + EntryOnDisk("DuplicateHandle", ERROR_ACCESS_DENIED, message) +
                                EntryOnDisk("CloseHandle", static_cast<long>(unknownCode), "");
    EXPECT_EQ(AppFile("log.txt"), entries);

    LogApiError(std::string(2000, 'N').c_str());
    std::string overlong = AppFile("log.txt").substr(entries.size());
    overlong.erase(std::remove(overlong.begin(), overlong.end(), '\r'), overlong.end());
    EXPECT_LT(overlong.size(), 512u);
    EXPECT_THAT(overlong, StartsWith("ERROR:   API         =   NNNN"));
    EXPECT_THAT(overlong, EndsWith(".\n"));
}

}  // namespace
