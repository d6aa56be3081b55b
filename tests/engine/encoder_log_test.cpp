#include "engine/encoder_log.h"

#include <gmock/gmock.h>

#include <string>

#include "support/app_folder_fixture.h"

using ::testing::EndsWith;
using ::testing::StartsWith;

namespace {

// The log lands in the current directory, which during a run is the app folder.
class EncoderLogTest : public AppFolderTest {
protected:
    void SetUp() override {
        AppFolderTest::SetUp();
        SetCurrentDirectoryA((folder.Path() + "app").c_str());
    }

    std::string LogOnDisk() { return folder.Read("app\\log.txt"); }
};

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
// a code of its own: that entry still carries the code it was given.
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
    EXPECT_EQ(LogOnDisk(), "earlier\r\nentry\r\n" + EntryOnDisk("DuplicateHandle", ERROR_ACCESS_DENIED, message) +
                               EntryOnDisk("CloseHandle", static_cast<long>(unknownCode), ""));
}

TEST_F(EncoderLogTest, OverlongTextsAreCutToTheEntrysFiveHundredTwelveCharacters) {
    const std::string name(2000, 'N');
    SetLastError(ERROR_FILE_NOT_FOUND);
    LogApiError(name.c_str());

    std::string entry;
    for (char c : LogOnDisk()) {
        if (c != '\r') entry += c;
    }
    EXPECT_LT(entry.size(), 512u);
    EXPECT_THAT(entry, StartsWith("ERROR:   API         =   NNNN"));
    EXPECT_THAT(entry, EndsWith(".\n"));
}

}  // namespace
