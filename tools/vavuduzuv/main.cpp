// VavuDuzuv: after an iPod conversion the converter runs
//     VavuDuzuv "FULL PATH OF THE OUTPUT FILE"
// and waits for it without a time limit. It adds the file to iTunes' library
// when iTunes is installed, and to the "Clipvane Library.m3u8" playlist in the
// Music folder otherwise. It never shows a window and never waits long; its
// exit code says whether the file made it.
#include <windows.h>
// The shell headers rely on <windows.h> before them.
#include <shellapi.h>

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "common/windows_text.h"
#include "vavuduzuv/arguments.h"
#include "vavuduzuv/deadline_run.h"
#include "vavuduzuv/exit_codes.h"
#include "vavuduzuv/itunes_library.h"
#include "vavuduzuv/music_playlist.h"

namespace {

// The arguments after the program's name, as UTF-16. The converter starts us
// with an ANSI command line; Windows widens it with the same code page, so
// the wide form holds the path exactly, spaces, '&' and accents included.
std::vector<std::wstring> CommandLineArguments() {
    std::vector<std::wstring> arguments;
    int count = 0;
    LPWSTR* split = CommandLineToArgvW(GetCommandLineW(), &count);
    if (split == nullptr) return arguments;
    for (int index = 1; index < count; ++index) arguments.emplace_back(split[index]);
    LocalFree(split);
    return arguments;
}

std::wstring FullPathOf(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return std::wstring();
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, &full[0], nullptr);
    if (written == 0 || written >= length) return std::wstring();
    full.resize(written);
    return full;
}

bool IsExistingFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

int AddToLibrary() {
    const std::vector<std::wstring> arguments = CommandLineArguments();
    std::vector<std::string> utf8Arguments;
    for (const std::wstring& argument : arguments) utf8Arguments.push_back(ToUtf8(argument));
    if (CheckArguments(utf8Arguments) != ArgumentCheck::kOnePath) return kExitBadArguments;

    const std::wstring fullPath = FullPathOf(arguments.front());
    if (fullPath.empty() || !IsExistingFile(fullPath)) return kExitNoSuchFile;

    if (!ITunesInstalled()) return AddToMusicPlaylist(fullPath) ? kExitAdded : kExitPlaylistFailed;

    const std::optional<int> added = RunWithin(kITunesTimeLimit, [fullPath] { return AddToITunesLibrary(fullPath); });
    if (!added) {
        // The worker is stuck inside a call into iTunes; an orderly exit
        // would run shutdown code under its feet and could hang in turn.
        TerminateProcess(GetCurrentProcess(), kExitITunesTimedOut);
    }
    return added.value_or(kExitITunesTimedOut);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // No system dialog (a missing disk, a crash report) may appear and wait for
    // a person while the converter waits for us.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    try {
        return AddToLibrary();
    } catch (const std::exception&) {
        return kExitNoResources;
    }
}
