// cvenc: the encoder that the profile commands name. It takes the option
// dialect of our profile files and runs ffmpeg.exe from its own folder, or,
// with -faststart, moves the index of an MP4/3GP file to its front.

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "cvenc/argument_translation.h"
#include "cvenc/audio_probe.h"
#include "cvenc/command_line.h"
#include "cvenc/faststart.h"
#include "cvenc/ffmpeg_process.h"
#include "cvenc/standard_output.h"
#include "cvenc/windows_file.h"
#include "common/windows_text.h"

namespace {

constexpr int kSucceeded = 0;
constexpr int kFailed = 1;

const char kUsage[] =
    "usage: cvenc OPTIONS...         runs ffmpeg.exe from cvenc's folder with the options translated\r\n"
    "       cvenc -faststart FILE    moves the index of an MP4/3GP/3G2 file before its media data\r\n";

// From the raw command line: the converter's command may carry blanks in odd
// places, and paths with blanks, '&' and characters outside the code page.
std::vector<std::string> OwnArguments() {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words != nullptr && i < count; ++i) arguments.push_back(ToUtf8(words[i]));
    LocalFree(words);
    return arguments;
}

std::wstring OwnFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

int RunFastStart(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2) {
        WriteToError(kUsage);
        return kFailed;
    }
    const std::string& path = arguments[1];
    WindowsFile file(ToWide(path));
    if (!file.IsOpen()) {
        ReportError("cannot open \"" + path + "\": " + file.Error());
        return kFailed;
    }
    const FastStartOutcome outcome = MoveIndexToFront(file);
    if (!outcome.message.empty()) ReportError("\"" + path + "\": " + outcome.message);
    const bool usable = outcome.result == FastStartResult::Moved || outcome.result == FastStartResult::NothingToMove;
    return usable ? kSucceeded : kFailed;
}

int RunEncoder(const std::vector<std::string>& arguments) {
    Translation translation = TranslateArguments(arguments);
    if (!translation.error.empty()) {
        ReportError(translation.error);
        return kFailed;
    }
    const std::wstring ffmpegPath = OwnFolder() + L"ffmpeg.exe";
    if (GetFileAttributesW(ffmpegPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ReportError("cannot find ffmpeg.exe beside cvenc.exe (looked for \"" + ToUtf8(ffmpegPath) + "\")");
        return kFailed;
    }
    if (translation.needsAudio && ProbeInputAudio(ffmpegPath, translation.arguments) == InputAudio::Missing) {
        AddSilentAudio(translation.arguments);
    }
    const std::string commandLine = JoinCommandLine(ToUtf8(ffmpegPath), translation.arguments);
    const std::wstring wideCommandLine = ToWide(commandLine);
    if (wideCommandLine.size() > kLongestCommandLine) {
        ReportError("the FFmpeg command would be longer than Windows allows");
        return kFailed;
    }
    // Said once, before FFmpeg's own messages, so that a profile's mistakes can be traced.
    WriteToError("cvenc: running " + commandLine + "\r\n");
    return RunFfmpeg(ffmpegPath, wideCommandLine);
}

}  // namespace

int main() {
    try {
        const std::vector<std::string> arguments = OwnArguments();
        if (arguments.empty()) {
            WriteToError(kUsage);
            return kFailed;
        }
        return arguments[0] == "-faststart" ? RunFastStart(arguments) : RunEncoder(arguments);
    } catch (const std::exception& error) {
        ReportError(error.what());
        return kFailed;
    }
}
