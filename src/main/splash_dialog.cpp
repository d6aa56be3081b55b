#include "main/splash_dialog.h"

#include "framework/application.h"
#include "resource_ids.h"

// The program icon is a shared resource icon: the system frees it.
CSplashDialog::CSplashDialog()
    : CDialog(IDD_SPLASH), icon_(LoadIconA(ResourceModule(), MAKEINTRESOURCEA(IDI_PROGRAM))) {}

BOOL CSplashDialog::OnInitDialog() {
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    SetWindowTextA(Handle(), "Clipvane");
    // The picture control takes the bitmap's own size; the window follows it,
    // so the template's font cannot crop the picture.
    RECT picture = {};
    const HWND control = GetWindow(Handle(), GW_CHILD);
    if (control && GetWindowRect(control, &picture)) {
        const int width = picture.right - picture.left;
        const int height = picture.bottom - picture.top;
        SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(control, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    }
    return TRUE;
}

void CSplashDialog::OnCancel() {
    CDialog::OnCancel();
    PostQuitMessage(0);
}
