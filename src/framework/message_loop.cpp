#include "framework/message_loop.h"

#include "framework/window.h"

namespace {

// The class atom of the system's dialog windows.
const ULONG_PTR kDialogClassAtom = 32770;

bool IsDialogWindow(HWND hwnd) { return GetClassLongPtrA(hwnd, GCW_ATOM) == kDialogClassAtom; }

}  // namespace

bool PreTranslateChain(MSG& message) {
    for (HWND hwnd = message.hwnd; hwnd; hwnd = GetAncestor(hwnd, GA_PARENT)) {
        CWindow* object = CWindow::FromHandle(hwnd);
        if (object && object->PreTranslateMessage(&message)) return true;
        if (!(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)) break;
    }
    return false;
}

namespace {

void HandleMessage(MSG& message) {
    if (PreTranslateChain(message)) return;
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialogWindow(root) && IsDialogMessageA(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

}  // namespace

bool PumpMessage(int& quitCode) {
    MSG message;
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        quitCode = got == 0 ? static_cast<int>(message.wParam) : -1;
        return false;
    }
    HandleMessage(message);
    return true;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        HandleMessage(message);
    }
}

int RunMessageLoop() {
    int quitCode = 0;
    while (PumpMessage(quitCode)) {
    }
    return quitCode;
}
