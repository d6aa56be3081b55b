#include "framework/application.h"

#include <commctrl.h>

#include "framework/message_loop.h"

namespace {
CApplication* currentApplication = nullptr;
}

CApplication::CApplication() { currentApplication = this; }

CApplication::~CApplication() {
    if (currentApplication == this) currentApplication = nullptr;
}

CApplication* CApplication::Current() { return currentApplication; }

int CApplication::Run() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    int exitCode = 0;
    try {
        if (InitInstance()) exitCode = RunMessageLoop();
    } catch (...) {
        exitCode = 1;
    }
    return ExitInstance(exitCode);
}

HINSTANCE ResourceModule() { return GetModuleHandleA(nullptr); }

HWND DefaultOwner() {
    const CApplication* application = CApplication::Current();
    const HWND main = application ? application->MainWindow() : nullptr;
    return main && IsWindow(main) ? main : nullptr;
}
