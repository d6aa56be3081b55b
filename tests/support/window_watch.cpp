#include "support/window_watch.h"

#include <string>

namespace {

// One look at a process's visible top-level windows: how many, and the first
// that `wanted` accepts.
struct Look {
    DWORD processId;
    const std::function<bool(HWND)>& wanted;
    HWND found = nullptr;
    int visible = 0;
};

BOOL CALLBACK LookAt(HWND window, LPARAM look) {
    auto& current = *reinterpret_cast<Look*>(look);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != current.processId || !IsWindowVisible(window)) return TRUE;
    ++current.visible;
    if (!current.found && current.wanted(window)) current.found = window;
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

HWND WaitForShownWindow(HANDLE process, DWORD processId, const std::function<bool(HWND)>& wanted, DWORD limitMs,
                        DWORD stepMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        Look look{processId, wanted};
        EnumWindows(LookAt, reinterpret_cast<LPARAM>(&look));
        if (look.found) return look.found;
        if (GetTickCount() - start >= limitMs || WaitForSingleObject(process, stepMs) != WAIT_TIMEOUT) return nullptr;
    }
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
        Look count{process.dwProcessId, wanted};
        EnumWindows(LookAt, reinterpret_cast<LPARAM>(&count));
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
