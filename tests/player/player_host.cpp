#include "player_host.h"

namespace {

constexpr UINT WM_SETTLED = WM_APP + 0x0D00;

}  // namespace

PlayerHost::PlayerHost(const std::string& encoder, std::function<void(const std::string&)> deleteFile,
                       PlayerLimits limits)
    : player_(std::make_unique<CVideoEdit>(encoder, std::move(deleteFile), limits)) {
    RegisterWindowClass("ClipvanePlayerHost", 0, LoadCursor(nullptr, IDC_ARROW),
                        static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    Create("ClipvanePlayerHost", "Preview", WS_POPUP | WS_VISIBLE, 0, RECT{0, 0, 400, 320}, nullptr, 0);
    player_->Create(Handle(), RECT{26, 94, 26 + 348, 94 + 188}, 1053);
    ShowWindow(player_->Handle(), SW_SHOW);
}

bool PlayerHost::WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD waited = GetTickCount() - start;
        if (waited >= timeoutMs) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs - waited, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}

void PlayerHost::Settle() {
    settled_ = false;
    PostMessageA(Handle(), WM_SETTLED, 0, 0);
    WaitFor([this] { return settled_; }, 10000);
}

LRESULT PlayerHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTLED) {
        settled_ = true;
        return 0;
    }
    if (message >= WM_PLAYER_PLAYCOMPLETE && message <= WM_PLAYER_EXPORTFINISHED) {
        events.push_back({Handle(), message, wParam, lParam, 0, {}});
        if (onEvent) onEvent(events.back());
        return 0;
    }
    return CWindow::WindowProc(message, wParam, lParam);
}
