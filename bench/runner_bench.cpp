#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "engine/encoder_runner.h"
#include "engine/folder_path.h"

// Measures what waiting for an encoder costs the program: its own CPU time
// during hidden and piped passes, and how late a message posted to its window
// is handled while the encoder is silent. Targets: under 2 % of one core,
// under 50 ms. Runs the stand-in encoder that lies beside it.

namespace {

double Seconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return value.QuadPart / 1e7;
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return Seconds(kernel) + Seconds(user);
}

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart / frequency;
}

// The stamp each posted message carries: the counter value when it was posted.
LONGLONG Stamp() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

struct Delays {
    double longestMs = 0;
    int handled = 0;
};
Delays delays;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP) return DefWindowProcA(window, message, wParam, lParam);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double delayMs = (Stamp() - static_cast<LONGLONG>(lParam)) * 1000.0 / frequency.QuadPart;
    if (delayMs > delays.longestMs) delays.longestMs = delayMs;
    ++delays.handled;
    return 0;
}

HWND CreateMeasuredWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "RunnerBenchWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "RunnerBenchWindow", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance,
                           nullptr);
}

std::string Command(const std::string& script) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return "\"" + FolderOfPath(self) + "fake_encoder.exe\" " + script;
}

enum class Pass { kHidden, kPiped };

// Runs one pass; with a window, another thread posts to it every 50 ms meanwhile.
void Measure(const char* title, Pass pass, const std::string& script, HWND window) {
    delays = Delays();
    std::atomic<bool> posting{window != nullptr};
    std::thread poster([&] {
        while (posting) {
            PostMessageA(window, WM_APP, 0, static_cast<LPARAM>(Stamp()));
            Sleep(50);
        }
    });

    int chunks = 0;
    const bool noStop = false;
    CEncoderRunner runner(noStop);
    const std::string command = Command(script);
    const double cpuBefore = ProcessCpuSeconds(), wallBefore = Now();
    if (pass == Pass::kHidden) {
        runner.RunHidden(command);
    } else {
        runner.RunEncoder(command, [&](const char*) { ++chunks; });
        runner.StopEncoder();
    }
    const double cpu = ProcessCpuSeconds() - cpuBefore, wall = Now() - wallBefore;
    posting = false;
    poster.join();

    std::printf("%-46s %5.1f s  CPU %5.2f %% of one core", title, wall, cpu * 100 / wall);
    if (pass == Pass::kPiped) std::printf("  %d chunks", chunks);
    if (window) std::printf("  longest message delay %.1f ms (%d messages)", delays.longestMs, delays.handled);
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

int main() {
    const HWND window = CreateMeasuredWindow();
    Measure("hidden pass, 30 s", Pass::kHidden, "--sleep 30000", nullptr);
    Measure("piped pass, a progress line every 500 ms, 30 s", Pass::kPiped, "--progress 60 500", nullptr);
    Measure("piped pass, silent encoder, 10 s", Pass::kPiped, "--sleep 10000", window);
    Measure("piped pass, grandchild holds the pipe 10 s", Pass::kPiped, R"(--spawn "--sleep 10000")", nullptr);
    DestroyWindow(window);
    return 0;
}
