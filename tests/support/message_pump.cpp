#include "message_pump.h"

#include "framework/message_loop.h"

namespace {

constexpr UINT kMarker = WM_APP + 40;

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            int quitCode = 0;
            if (!PumpMessage(quitCode)) return false;
            continue;
        }
        const DWORD waited = GetTickCount() - start;
        if (waited >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - waited, QS_ALLINPUT);
    }
    return true;
}

void PostAndHandle(HWND window, const std::vector<MSG>& messages) {
    for (const MSG& message : messages) PostMessageA(message.hwnd, message.message, message.wParam, message.lParam);
    // A marker posted behind them is next in the queue once they are all handled.
    PostMessageA(window, kMarker, 0, 0);
    MSG next = {};
    const auto waiting = [&next] { return PeekMessageA(&next, nullptr, 0, 0, PM_NOREMOVE) != FALSE; };
    int quitCode = 0;
    while (PumpUntil(waiting) && !(next.hwnd == window && next.message == kMarker)) PumpMessage(quitCode);
    PeekMessageA(&next, window, kMarker, kMarker, PM_REMOVE);
}
