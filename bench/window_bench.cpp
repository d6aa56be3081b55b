// The main window during a conversion and at rest: how long a message posted
// to it waits at most while a video converts, how long input waits while ten
// videos are added and while a preview starts, the program's own processor
// time during the run (the encoders' is not counted) and when idle, and what
// the process holds after start-up and after 100 videos added and removed.
//
// window_bench PROGRAM_FOLDER CLIP OUTPUT_FOLDER   (prints its figures)
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>
#include <windowsx.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/app_folder.h"
#include "framework/message_loop.h"
#include "framework/registry.h"
#include "input_waits.h"
#include "main/main_dialog.h"
#include "resource_ids.h"
#include "support/gdi_count.h"

namespace {

struct NoShutDown : IShutDown {
    void ShutDownComputer() override {}
};

HHOOK answerHook = nullptr;
LRESULT CALLBACK AnswerMessages(int code, WPARAM wParam, LPARAM lParam) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && GetDlgItem(window, IDOK)) PostMessageA(window, WM_COMMAND, IDOK, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

double OwnCpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ms = [](const FILETIME& time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

double PrivateKiB() {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    // Wine leaves PrivateUsage at 0; the commit charge is the same figure on Windows.
    const SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return static_cast<double>(privateBytes) / 1024.0;
}

bool AnyRowBeingRead(const CMainDialog& dialog) {
    for (int row = 0; row < dialog.Tasks().Count(); ++row) {
        if (dialog.Tasks().Copy(row).status == kStatusProbing) return true;
    }
    return false;
}

// Ten videos added at once, as a drop adds them, until every row is read and
// the last one's frame is shown; then a preview of the last one.
void MeasureInputWaits(CMainDialog& dialog, const std::string& folder) {
    {
        InputWaits waits(dialog.Handle());
        HandleMessagesFor(100);
        // Ten files of their own, so that none is known before it is read.
        std::vector<std::string> ten;
        for (int i = 0; i < 10; ++i) ten.push_back(folder + "clip" + std::to_string(i) + ".avi");
        dialog.AddItems(ten);
        const DWORD start = GetTickCount();
        while (AnyRowBeingRead(dialog) && GetTickCount() - start < 60000) HandleMessagesFor(20);
        HandleMessagesFor(1000);
        waits.Report("while adding ten:");
    }
    {
        InputWaits waits(dialog.Handle());
        HandleMessagesFor(100);
        SendMessageA(dialog.Handle(), WM_COMMAND, IDC_PLAY, 0);
        HandleMessagesFor(3000);
        waits.Report("while a preview starts:");
    }
    SendMessageA(dialog.Handle(), WM_COMMAND, IDC_STOP_PREVIEW, 0);
    SendMessageA(dialog.Handle(), WM_COMMAND, IDC_REMOVE_ALL, 0);
    HandleMessagesFor(500);
}

// Runs the conversion while another thread asks the window something every
// 20 ms, and prints how long the answers took.
void MeasureAnswers(CMainDialog& dialog) {
    std::atomic<bool> running{true};
    std::atomic<bool> pingerEnded{false};
    const DWORD runStart = GetTickCount();
    std::vector<double> answers;
    std::vector<std::pair<double, DWORD>> slowest;  // answer time, and when in the run it was asked
    std::thread pinger([&] {
        LARGE_INTEGER frequency, before, after;
        QueryPerformanceFrequency(&frequency);
        while (running) {
            const DWORD asked = GetTickCount() - runStart;
            QueryPerformanceCounter(&before);
            DWORD_PTR result = 0;
            SendMessageTimeoutA(dialog.Handle(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
            QueryPerformanceCounter(&after);
            answers.push_back(1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) /
                              static_cast<double>(frequency.QuadPart));
            slowest.emplace_back(answers.back(), asked);
            Sleep(20);
        }
        pingerEnded = true;
    });
    const DWORD start = GetTickCount();
    SendMessageA(dialog.Handle(), WM_COMMAND, IDC_START, 0);
    const DWORD wall = GetTickCount() - start;
    running = false;
    // A question asked as the run ended is answered here, not left waiting for the join.
    while (!pingerEnded) HandleMessagesFor(5);
    pinger.join();
    std::sort(answers.begin(), answers.end());
    std::sort(slowest.rbegin(), slowest.rend());
    for (std::size_t i = 0; i < slowest.size() && i < 3; ++i) {
        std::printf("slow answer:                       %.1f ms, asked %lu ms into the run of %lu ms\n",
                    slowest[i].first, static_cast<unsigned long>(slowest[i].second), static_cast<unsigned long>(wall));
    }
    if (!answers.empty()) {
        std::printf("answer time during the run:        median %.1f ms, 99th %.1f ms, longest %.1f ms (%zu asks)\n",
                    answers[answers.size() / 2], answers[answers.size() * 99 / 100], answers.back(), answers.size());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    programFolder = argv[1];
    const std::string clip = argv[2];
    const std::string savedDestination = ReadSetting("destination");
    WriteSetting("destination", argv[3]);
    answerHook = SetWindowsHookExA(WH_CBT, AnswerMessages, nullptr, GetCurrentThreadId());

    NoShutDown shutDown;
    CSystemDesktop desktop;  // no bench opens the row menu
    CMainDialog dialog(shutDown, desktop, nullptr);
    dialog.CreateModeless(nullptr);
    ShowWindow(dialog.Handle(), SW_SHOW);
    HandleMessagesFor(6000);  // the picture's fade ends
    const int gdiStart = CountGdiObjects();
    const double privateStart = PrivateKiB();
    const double idleCpu = OwnCpuMs();
    HandleMessagesFor(3000);
    std::printf("own CPU when idle:                 %.2f %% of a core\n", (OwnCpuMs() - idleCpu) / 3000.0 * 100.0);

    // Twice: what the first round creates once (a still frame, the scroll
    // bars' pieces) shows after it; a leak grows again in the second.
    for (int round = 1; round <= 2; ++round) {
        dialog.AddItems(std::vector<std::string>(100, clip));
        HandleMessagesFor(500);
        SendMessageA(dialog.Handle(), WM_COMMAND, IDC_REMOVE_ALL, 0);
        HandleMessagesFor(500);
        std::printf("after %d x 100 videos added and removed: %d GDI objects, %.0f private KiB (start-up: %d, %.0f)\n",
                    round, CountGdiObjects(), PrivateKiB(), gdiStart, privateStart);
    }

    const std::string folder = clip.substr(0, clip.find_last_of('\\') + 1);
    MeasureInputWaits(dialog, folder);

    dialog.AddItem(clip);
    HandleMessagesFor(1000);
    MeasureAnswers(dialog);
    // A second run with nobody asking: the asks and their answers are the
    // benchmark's own work, not the program's.
    const DWORD start = GetTickCount();
    const double cpuBefore = OwnCpuMs();
    SendMessageA(dialog.Handle(), WM_COMMAND, IDC_START, 0);
    const double cpu = OwnCpuMs() - cpuBefore;
    const DWORD wall = GetTickCount() - start;
    std::printf("own CPU during a run:              %.2f %% of a core (%.0f ms in %lu ms)\n", cpu / wall * 100.0, cpu,
                static_cast<unsigned long>(wall));
    DestroyWindow(dialog.Handle());
    UnhookWindowsHookEx(answerHook);
    WriteSetting("destination", savedDestination);
    return 0;
}
