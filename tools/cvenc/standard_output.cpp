#include "cvenc/standard_output.h"

#include <windows.h>

#include "cvenc/progress_line.h"

namespace {

void WriteTo(DWORD standardHandle, const std::string& text) {
    const HANDLE handle = GetStdHandle(standardHandle);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void WriteToOutput(const std::string& text) { WriteTo(STD_OUTPUT_HANDLE, text); }

void WriteToError(const std::string& text) { WriteTo(STD_ERROR_HANDLE, DefuseProgressTokens(text)); }

void ReportError(const std::string& text) { WriteToError("cvenc: " + text + "\r\n"); }
