#include "player_host.h"

PlayerHost::PlayerHost(const std::string& encoder, std::function<void(const std::string&)> deleteFile,
                       PlayerLimits limits)
    : player_(std::make_unique<CVideoEdit>(encoder, std::move(deleteFile), limits)) {
    RegisterWindowClass("ClipvanePlayerHost", 0, LoadCursor(nullptr, IDC_ARROW),
                        static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    Create("ClipvanePlayerHost", "Preview", WS_POPUP | WS_VISIBLE, 0, RECT{0, 0, 400, 320}, nullptr, 0);
    player_->Create(Handle(), RECT{26, 94, 26 + 348, 94 + 188}, 1053);
    ShowWindow(player_->Handle(), SW_SHOW);
}

LRESULT PlayerHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_PLAYER_PLAYCOMPLETE && message <= WM_PLAYER_EXPORTFINISHED) {
        events.push_back({Handle(), message, wParam, lParam, 0, {}});
        if (onEvent) onEvent(events.back());
        return 0;
    }
    return CWindow::WindowProc(message, wParam, lParam);
}
