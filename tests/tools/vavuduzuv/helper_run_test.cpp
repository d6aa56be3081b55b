// Runs the built VavuDuzuv.exe as the converter does and looks at what it
// leaves in the Music folder.
#include <windows.h>
// The headers below rely on <windows.h> before them.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_folder.h"

namespace {

constexpr DWORD kSuccess = 0;

std::wstring KnownMusicFolder() {
    std::wstring folder;
    PWSTR known = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Music, 0, nullptr, &known))) folder = known;
    CoTaskMemFree(known);
    return folder;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadBytes(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(path.c_str(), std::ios::binary) << bytes;
}

std::string HelperFolder() {
    char full[MAX_PATH] = {};
    GetFullPathNameA(VAVUDUZUV_FOLDER, MAX_PATH, full, nullptr);
    return full;
}

struct Finished {
    bool inTime;
    DWORD exitCode;
};

// Starts the helper as the converter does: by its bare name, with an ANSI
// command line, the app folder being the current directory. Ten seconds is
// already far longer than the helper may take; past that the converter,
// which waits without a limit, would look hung.
Finished RunHelper(const std::string& commandLine) {
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(HelperFolder().c_str());
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const BOOL started =
        CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    SetCurrentDirectoryA(previous);
    if (!started) return {false, GetLastError()};
    Finished finished = {WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0, 0};
    if (!finished.inTime) TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &finished.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return finished;
}

Finished RunAsConverter(const std::string& ansiPath) {
    char commandLine[2048] = {};
    std::snprintf(commandLine, sizeof commandLine, "VavuDuzuv \"%s\" ", ansiPath.c_str());
    return RunHelper(commandLine);
}

std::string Upper(std::string text) {
    CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// The user's real playlist is put aside for each test and brought back after.
class HelperRun : public ::testing::Test {
protected:
    TempFolder videos;
    std::wstring playlist;

    void SetUp() override {
        const std::wstring music = KnownMusicFolder();
        ASSERT_FALSE(music.empty());
        playlist = music + L"\\Clipvane Library.m3u8";
        hadPlaylist_ = Exists(playlist);
        if (hadPlaylist_) savedPlaylist_ = ReadBytes(playlist);
        DeleteFileW(playlist.c_str());
    }
    void TearDown() override {
        DeleteFileW(playlist.c_str());
        if (hadPlaylist_) WriteBytes(playlist, savedPlaylist_);
    }

    std::string Video(const std::string& name) { return videos.Write(name, "not really a video"); }
    std::string Playlist() const { return ReadBytes(playlist); }

private:
    bool hadPlaylist_ = false;
    std::string savedPlaylist_;
};

void ExpectFinished(const Finished& finished, DWORD exitCode) {
    EXPECT_TRUE(finished.inTime);
    EXPECT_EQ(finished.exitCode, exitCode);
}

void ExpectRefused(const Finished& finished) {
    EXPECT_TRUE(finished.inTime);
    EXPECT_NE(finished.exitCode, kSuccess);
}

TEST_F(HelperRun, ListsAPathWithSpacesAndAmpersandOnce) {
    const std::string first = Video("Tom & Jerry - episode 1.mp4");
    ExpectFinished(RunAsConverter(first), kSuccess);
    EXPECT_EQ(Playlist(), "#EXTM3U\r\n" + first + "\r\n");

    ExpectFinished(RunAsConverter(first), kSuccess);
    ExpectFinished(RunAsConverter(Upper(first)), kSuccess);
    EXPECT_EQ(Playlist(), "#EXTM3U\r\n" + first + "\r\n");

    const std::string second = Video("b&b.m4v");
    ExpectFinished(RunAsConverter(second), kSuccess);
    EXPECT_EQ(Playlist(), "#EXTM3U\r\n" + first + "\r\n" + second + "\r\n");
}

TEST_F(HelperRun, KeepsWhatIsThereAndOnlyAppends) {
    const std::string existing = "#EXTM3U\nD:\\old clip.mp4";
    WriteBytes(playlist, existing);
    const std::string clip = Video("clip.mp4");
    ExpectFinished(RunAsConverter(clip), kSuccess);
    EXPECT_EQ(Playlist(), existing + "\r\n" + clip + "\r\n");
}

TEST_F(HelperRun, WritesAccentedNamesAsUtf8AndKnowsThemInEitherCase) {
    const std::wstring folder(videos.Path().begin(), videos.Path().end());  // the temporary folder's path is ASCII
    const std::wstring name = L"Caf\u00e9 \u00c9t\u00e9.mp4";
    char lower[MAX_PATH] = {}, upper[MAX_PATH] = {};
    BOOL lost = FALSE, lostUpper = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, (folder + name).c_str(), -1, lower, MAX_PATH, nullptr, &lost);
    const std::wstring upperName = L"CAF\u00c9 \u00c9T\u00c9.MP4";
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, (folder + upperName).c_str(), -1, upper, MAX_PATH, nullptr,
                        &lostUpper);
    if (lost || lostUpper) GTEST_SKIP() << "the ANSI code page has no accented letters";
    HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    const std::string expected = "#EXTM3U\r\n" + videos.Path() + "Caf\xC3\xA9 \xC3\x89t\xC3\xA9.mp4\r\n";
    ExpectFinished(RunAsConverter(lower), kSuccess);
    EXPECT_EQ(Playlist(), expected);
    ExpectFinished(RunAsConverter(upper), kSuccess);
    EXPECT_EQ(Playlist(), expected);
    DeleteFileW((folder + name).c_str());
}

TEST_F(HelperRun, RefusesAnythingButOneExistingFileAndWritesNothing) {
    const std::string clip = Video("clip.mp4");
    videos.MakeFolder("a folder.mp4");
    ExpectRefused(RunAsConverter(videos.Path() + "missing.mp4"));
    ExpectRefused(RunAsConverter(videos.Path() + "a folder.mp4"));
    ExpectRefused(RunAsConverter(""));
    ExpectRefused(RunHelper("VavuDuzuv "));
    ExpectRefused(RunHelper("VavuDuzuv \"" + clip + "\" \"" + clip + "\" "));
    EXPECT_FALSE(Exists(playlist));
}

TEST_F(HelperRun, FailsWhenThePlaylistCannotBeWritten) {
    WriteBytes(playlist, "#EXTM3U\r\n");
    HANDLE locked = CreateFileW(playlist.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    ExpectRefused(RunAsConverter(Video("clip.mp4")));
    CloseHandle(locked);
    EXPECT_EQ(Playlist(), "#EXTM3U\r\n");
}

}  // namespace
