// Runs the built VavuDuzuv.exe as the converter does and looks at what it
// leaves in the Music folder.
#include <windows.h>
// The headers below rely on <windows.h> before them.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/temp_folder.h"
#include "support/window_watch.h"

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadBytes(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const std::string& text) {
    std::ofstream(path.c_str(), std::ios::binary) << text;
}

// Starts the helper as the converter does: by its bare name, with an ANSI
// command line, the app folder being the current directory; its exit code.
// Ten seconds is already far longer than the helper may take; past that the
// converter, which waits without a limit, would look hung.
DWORD RunHelper(const std::string& commandLine) {
    SetCurrentDirectoryA(VAVUDUZUV_FOLDER);
    const auto noWindow = [](HWND) { return false; };  // it shows none: it is only waited for
    const DWORD exitCode = RunAndAnswer(commandLine, noWindow, 10000).exitCode;
    EXPECT_LT(exitCode, 998u) << "VavuDuzuv did not start (999), or still ran after 10 s (998): " << commandLine;
    return exitCode;
}

DWORD RunAsConverter(const std::string& ansiPath) { return RunHelper("VavuDuzuv \"" + ansiPath + "\" "); }

// The user's real playlist is put aside for each test and brought back after.
class HelperRun : public ::testing::Test {
protected:
    void SetUp() override {
        PWSTR music = nullptr;
        ASSERT_EQ(SHGetKnownFolderPath(FOLDERID_Music, 0, nullptr, &music), S_OK);
        playlist_ = std::wstring(music) + L"\\Clipvane Library.m3u8";
        CoTaskMemFree(music);
        hadPlaylist_ = Exists(playlist_);
        saved_ = ReadBytes(playlist_);
        DeleteFileW(playlist_.c_str());
    }
    void TearDown() override {
        DeleteFileW(playlist_.c_str());
        if (hadPlaylist_) WriteBytes(playlist_, saved_);
    }

    std::string Video(const std::string& name) { return videos_.Write(name, "not really a video"); }
    std::string Playlist() const { return ReadBytes(playlist_); }

    TempFolder videos_;
    std::wstring playlist_;
    bool hadPlaylist_ = false;
    std::string saved_;
};

// How a path is appended to what a playlist holds is the native playlist cases';
// here the helper as the converter starts it, with a name of blanks and accents.
TEST_F(HelperRun, WritesAccentedNamesAsUtf8AndKnowsThemInEitherCase) {
    char name[MAX_PATH] = {};
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"Caf\u00e9 \u00c9t\u00e9.mp4", -1, name, MAX_PATH, nullptr,
                        &lost);
    if (lost) GTEST_SKIP() << "the ANSI code page has no accented letters";
    const std::string clip = Video(name);
    const std::string listed = "#EXTM3U\r\n" + videos_.Path() + "Caf\xC3\xA9 \xC3\x89t\xC3\xA9.mp4\r\n";
    EXPECT_EQ(RunAsConverter(clip), 0u);
    EXPECT_EQ(Playlist(), listed);
    std::string upper = clip;
    CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    EXPECT_EQ(RunAsConverter(upper), 0u);
    EXPECT_EQ(Playlist(), listed);
}

TEST_F(HelperRun, FailsWithoutWritingAnythingForAnythingButOneExistingFile) {
    const std::string clip = Video("clip.mp4");
    videos_.MakeFolder("a folder.mp4");
    for (const std::string& arguments :
         {"\"" + videos_.Path() + "missing.mp4\" ", "\"" + videos_.Path() + "a folder.mp4\" ", std::string("\"\" "),
          std::string(), "\"" + clip + "\" \"" + clip + "\" "}) {
        EXPECT_NE(RunHelper("VavuDuzuv " + arguments), 0u) << arguments;
    }
    EXPECT_FALSE(Exists(playlist_));

    // Nor when the playlist cannot be written.
    WriteBytes(playlist_, "#EXTM3U\r\n");
    HANDLE locked = CreateFileW(playlist_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_NE(RunAsConverter(clip), 0u);
    CloseHandle(locked);
    EXPECT_EQ(Playlist(), "#EXTM3U\r\n");
}

}  // namespace
