#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/app_folder.h"
#include "main/main_dialog.h"
#include "main/splash_thread.h"
#include "skin/skin.h"
#include "support/gdi_count.h"
#include "support/window_watch.h"

// Clipvane's start-up, seen from both sides in one run.
// From outside: milliseconds from process start to the splash shown and to
// the main window shown, against a minimal program's one window (starts
// interleaved, medians); then what the process holds once started (private
// bytes; GDI objects, counted here by running the same start-up steps in this
// process, since Wine does not report another process's count).
// From inside: the same steps run in this process and timed one by one (skin
// load, splash, dialog and control creation, profile loading, first paint).
//
// startup_bench CLIPVANE_EXE MINIMAL_EXE MINIMAL_COM_EXE [ROUNDS]
// (the second minimal program also loads the common controls 6 and COM, as
// every Clipvane start must; the app folder beside CLIPVANE_EXE holds the
// profiles the inside view reads)

namespace {

const DWORD kLimitMs = 60000;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool IsSplash(HWND window) { return IsShownDialog(window) && !GetDlgItem(window, IDOK); }
// The first window after the splash: the main window (it has the task list).
bool IsMessage(HWND window) { return IsShownDialog(window) && (GetDlgItem(window, IDOK) || GetDlgItem(window, 1011)); }
bool IsAnyWindow(HWND window) { return IsWindowVisible(window) && GetWindowTextLengthA(window) > 0; }

// Milliseconds of each step, in the order Clipvane takes them.
struct Steps {
    std::vector<double> skin, splash, dialog, profiles, paint;
};

struct Started {
    PROCESS_INFORMATION process = {};
    double startMs = 0;
};

Started Start(const std::string& exe) {
    Started started;
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started.startMs = Now();
    CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started.process);
    return started;
}

void Finish(Started& started, HWND window, UINT message, WPARAM wParam) {
    if (window) PostMessageA(window, message, wParam, 0);
    if (WaitForSingleObject(started.process.hProcess, kLimitMs) != WAIT_OBJECT_0) {
        TerminateProcess(started.process.hProcess, 1);
    }
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
}

double PrivateKb(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        return -1;
    }
    // Wine leaves PrivateUsage at 0; the commit charge is the same figure on Windows.
    const SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return static_cast<double>(privateBytes) / 1024.0;
}

double Median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Skin and splash as Clipvane starts them, in this process, counted; and the
// skin load's milliseconds (it is loaded once per process).
int GdiObjectsOfStartUp(double& skinMs) {
    const int before = CountGdiObjects();
    const double at = Now();
    LoadSkin();
    skinMs = Now() - at;
    CSplashThread splash;
    splash.Start();
    splash.Close(kLimitMs);
    return CountGdiObjects() - before;
}

struct NoShutDown : IShutDown {
    void ShutDownComputer() override {}
};

// One start of the main window in this process, step by step. Profile
// loading happens inside the dialog's creation: it is timed again on the
// made window and taken off the creation's time.
void MeasureInside(Steps& steps) {
    double at = Now();
    CSplashThread splash;
    splash.Start();
    splash.WaitUntilStarted(kLimitMs);
    steps.splash.push_back(Now() - at);

    NoShutDown shutDown;
    CSystemDesktop desktop;  // no bench opens the row menu
    at = Now();
    CMainDialog dialog(shutDown, desktop, nullptr);
    dialog.CreateModeless(nullptr);
    const double created = Now() - at;
    at = Now();
    dialog.Panel().ShowStartingSettings();
    const double profiles = Now() - at;
    steps.profiles.push_back(profiles);
    steps.dialog.push_back(created - profiles);

    at = Now();
    ShowWindow(dialog.Handle(), SW_SHOW);
    RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    steps.paint.push_back(Now() - at);
    splash.Close(kLimitMs);
    DestroyWindow(dialog.Handle());
}

// One start of a minimal program: milliseconds to its window, and its private KiB.
void MeasureMinimal(const char* exe, std::vector<double>& ms, std::vector<double>& kb) {
    Started minimal = Start(exe);
    const HWND window =
        WaitForShownWindow(minimal.process.hProcess, minimal.process.dwProcessId, IsAnyWindow, kLimitMs, 1);
    if (window) {
        ms.push_back(Now() - minimal.startMs);
        kb.push_back(PrivateKb(minimal.process.hProcess));
    }
    Finish(minimal, window, WM_CLOSE, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_bench CLIPVANE_EXE MINIMAL_EXE MINIMAL_COM_EXE [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 4 ? std::max(1, std::atoi(argv[4])) : 5;
    const std::string exe = argv[1];
    programFolder = exe.substr(0, exe.find_last_of("\\/") + 1);
    std::vector<double> splashMs, messageMs, clipvaneKb, minimalMs, minimalKb, comMs, comKb;
    int splashesSeen = 0;
    for (int round = 0; round < rounds; ++round) {
        MeasureMinimal(argv[2], minimalMs, minimalKb);
        MeasureMinimal(argv[3], comMs, comKb);

        Started clipvane = Start(argv[1]);
        const HANDLE process = clipvane.process.hProcess;
        const DWORD id = clipvane.process.dwProcessId;
        // The splash is up only while the placeholder message is being made:
        // a look every millisecond may miss it.
        const auto splashOrMessage = [](HWND w) { return IsSplash(w) || IsMessage(w); };
        HWND seen = WaitForShownWindow(process, id, splashOrMessage, kLimitMs, 1);
        if (seen && IsSplash(seen)) {
            splashMs.push_back(Now() - clipvane.startMs);
            ++splashesSeen;
            seen = WaitForShownWindow(process, id, IsMessage, kLimitMs, 1);
        }
        if (seen) {
            messageMs.push_back(Now() - clipvane.startMs);
            clipvaneKb.push_back(PrivateKb(process));
        }
        Finish(clipvane, seen, WM_CLOSE, 0);
    }

    const double minimal = Median(minimalMs);
    const double com = Median(comMs);
    const double message = Median(messageMs);
    std::printf("rounds: %d (medians)\n", rounds);
    std::printf("minimal program, start to window shown:                   %5.0f ms\n", minimal);
    std::printf("minimal program with common controls 6 and COM, the same: %5.0f ms\n", com);
    if (splashesSeen) {
        std::printf(
            "Clipvane, start to splash shown:                          %5.0f ms (%d seen), %.2f and %.2f "
            "times the two\n",
            Median(splashMs), splashesSeen, Median(splashMs) / minimal, Median(splashMs) / com);
    } else {
        std::printf("Clipvane, start to splash shown: not caught (shown for less than a look)\n");
    }
    std::printf("Clipvane, start to main window shown:                     %5.0f ms, %.2f and %.2f times the two\n",
                message, message / minimal, message / com);
    std::printf("private KiB after start-up: Clipvane %.0f, minimal %.0f, minimal with common controls and COM %.0f\n",
                Median(clipvaneKb), Median(minimalKb), Median(comKb));
    Steps steps;
    steps.skin.push_back(0.0);
    std::printf("GDI objects held after skin and splash: %d\n", GdiObjectsOfStartUp(steps.skin[0]));

    for (int round = 0; round < rounds; ++round) MeasureInside(steps);
    // The splash comes up on its own thread meanwhile, and the first paint
    // follows the window's showing.
    const double own = Median(steps.skin) + Median(steps.dialog) + Median(steps.profiles);
    std::printf("inside, step by step (medians of %d; the skin is loaded once):\n", rounds);
    std::printf("  skin load:                     %6.1f ms\n", Median(steps.skin));
    std::printf("  splash up (its own thread):    %6.1f ms\n", Median(steps.splash));
    std::printf("  dialog and control creation:   %6.1f ms (without the profiles)\n", Median(steps.dialog));
    std::printf("  profile loading:               %6.1f ms\n", Median(steps.profiles));
    std::printf("  first paint:                   %6.1f ms\n", Median(steps.paint));
    std::printf("Clipvane's own work before its window shows (skin, dialog, profiles): %.0f ms (target: under 250)\n",
                own);
    return 0;
}
