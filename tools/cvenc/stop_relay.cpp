#include "cvenc/stop_relay.h"

#include <cstring>

#include "cvenc/standard_output.h"

namespace {

DWORD WINAPI RelayStopRequests(void* parameter) {
    const UniqueHandle ffmpegInput(static_cast<HANDLE>(parameter));
    const HANDLE ownInput = GetStdHandle(STD_INPUT_HANDLE);
    char bytes[64];
    DWORD count = 0;
    while (ReadFile(ownInput, bytes, sizeof bytes, &count, nullptr) && count > 0) {
        if (std::memchr(bytes, 'q', count) == nullptr) continue;
        DWORD written = 0;
        if (!WriteFile(ffmpegInput.Get(), "q", 1, &written, nullptr)) break;  // FFmpeg has gone
    }
    return 0;
}

}  // namespace

void StartStopRelay(UniqueHandle ffmpegInput) {
    const HANDLE thread = CreateThread(nullptr, 0, RelayStopRequests, ffmpegInput.Get(), 0, nullptr);
    if (thread == nullptr) {
        ReportError("cannot watch standard input; FFmpeg will run to its end");
        return;
    }
    ffmpegInput.Release();
    CloseHandle(thread);
}
