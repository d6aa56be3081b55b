#include "engine/encoder_log.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

namespace {

constexpr char kEntryFormat[] =
    "ERROR:   API         =   %s.\n       error   code   =   %d.\n       message         =   %s.\n";
constexpr int kEntrySize = 512;

// wsprintfA knows nothing of the buffer's size and writes up to 1,024
// characters, so the texts are cut beforehand to what the entry can hold: the
// format less its three conversions, the longest code, a name and the message.
constexpr int kFormatLength = sizeof kEntryFormat - 1 - 6;
constexpr int kLongestCode = 11;
constexpr int kNameLimit = 64;
constexpr int kMessageLimit = kEntrySize - 1 - kFormatLength - kLongestCode - kNameLimit;

std::string Cut(const char* text, int limit) { return text ? std::string(text, strnlen(text, limit)) : std::string(); }

}  // namespace

// The code is read once, before FormatMessageA: when that call fails it sets
// its own code, which would otherwise be logged in place of the real one.
void LogApiError(const char* apiName) {
    const DWORD code = GetLastError();
    char* message = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&message), 0, nullptr);
    char entry[kEntrySize];
    wsprintfA(entry, kEntryFormat, Cut(apiName, kNameLimit).c_str(), static_cast<int>(code),
              Cut(message, kMessageLimit).c_str());
    AppendLog(entry);
    LocalFree(message);
}

void AppendLog(const char* text) {
    const int file = _open("log.txt", _O_RDWR | _O_CREAT | _O_TEXT, _S_IREAD | _S_IWRITE);
    if (file == -1) return;
    _lseek(file, 0, SEEK_END);
    _write(file, text, static_cast<unsigned>(std::strlen(text)));
    _close(file);
}

void LogNotConverted(const ConversionItem& item, const std::string& output) {
    const std::string reason = item.status == kStatusCanceled ? "canceled"
                               : item.failureReason.empty()   ? "not converted"
                                                              : item.failureReason;
    AppendLog(
        ("NOT CONVERTED: " + item.sourcePath + ": " + reason + "\n" + output + (output.empty() ? "" : "\n")).c_str());
}
