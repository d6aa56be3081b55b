#include "support/window_watch.h"

#include <string>

namespace {

struct Watch {
    DWORD processId;
    const std::function<bool(HWND)>* wanted;
    HWND found;
    int visible;
};

bool Accepts(const Watch& watch, HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == watch.processId && IsWindowVisible(window) && (*watch.wanted)(window);
}

BOOL CALLBACK CheckExisting(HWND window, LPARAM watch) {
    auto* current = reinterpret_cast<Watch*>(watch);
    if (!Accepts(*current, window)) return TRUE;
    current->found = window;
    return FALSE;
}

BOOL CALLBACK CountVisible(HWND window, LPARAM watch) {
    auto* current = reinterpret_cast<Watch*>(watch);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == current->processId && IsWindowVisible(window)) ++current->visible;
    return TRUE;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM text) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        char buffer[4096] = {};
        GetWindowTextA(child, buffer, sizeof buffer);
        *reinterpret_cast<std::string*>(text) += buffer;
    }
    return TRUE;
}

}  // namespace

HWND WaitForShownWindow(HANDLE process, DWORD processId, const std::function<bool(HWND)>& wanted, DWORD limitMs,
                        DWORD stepMs) {
    Watch watch = {processId, &wanted, nullptr, 0};
    const DWORD start = GetTickCount();
    for (;;) {
        EnumWindows(CheckExisting, reinterpret_cast<LPARAM>(&watch));
        if (watch.found) return watch.found;
        const DWORD waited = GetTickCount() - start;
        if (waited >= limitMs || WaitForSingleObject(process, stepMs) != WAIT_TIMEOUT) return nullptr;
    }
}

bool IsShownDialog(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window);
}

std::string StaticTextOf(HWND window) {
    std::string text;
    EnumChildWindows(window, CollectStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

AnsweredRun RunAndAnswer(std::string commandLine, const std::function<bool(HWND)>& wanted, DWORD limitMs) {
    AnsweredRun run;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return run;
    }
    if (const HWND window = WaitForShownWindow(process.hProcess, process.dwProcessId, wanted, limitMs)) {
        run.message = StaticTextOf(window);
        Watch count = {process.dwProcessId, nullptr, nullptr, 0};
        EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&count));
        run.visibleWindows = count.visible;
        // A message box takes closing as OK; a main window ends.
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, limitMs) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 998);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}
