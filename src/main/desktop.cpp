#include "main/desktop.h"

#include <shellapi.h>

#include "common/windows_text.h"

namespace {

void ShellOpen(const wchar_t* file, const std::wstring& parameters) {
    ShellExecuteW(nullptr, L"open", file, parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace

// The owner comes to the front first, or the menu would not close when the
// user clicks elsewhere.
UINT CSystemDesktop::ChooseFromMenu(HMENU menu, HWND owner, POINT screen) {
    SetForegroundWindow(owner);
    const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY;
    return static_cast<UINT>(TrackPopupMenu(menu, flags, screen.x, screen.y, 0, owner, nullptr));
}

void CSystemDesktop::ShowFileInFolder(const std::string& path) {
    ShellOpen(L"explorer.exe", L"/select,\"" + ToWide(path) + L"\"");
}

void CSystemDesktop::OpenFolder(const std::string& folder) { ShellOpen(ToWide(folder).c_str(), std::wstring()); }

void CSystemDesktop::OpenWithPlayer(const std::string& path) { ShellOpen(ToWide(path).c_str(), std::wstring()); }
