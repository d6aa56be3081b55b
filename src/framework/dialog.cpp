#include "framework/dialog.h"

#include "framework/application.h"
#include "framework/message_loop.h"

INT_PTR CDialog::DoModal(HWND owner) {
    if (Handle()) return -1;
    if (!owner) owner = DefaultOwner();
    if (owner) owner = GetAncestor(owner, GA_ROOT);
    ended_ = false;
    result_ = -1;
    if (!CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), owner, StartProc,
                            reinterpret_cast<LPARAM>(this)) ||
        !Handle()) {
        return -1;
    }
    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);
    if (!ended_) ShowWindow(Handle(), SW_SHOW);

    int quitCode = 0;
    bool quit = false;
    while (!ended_ && Handle()) {
        if (!PumpMessage(quitCode)) {
            quit = true;
            break;
        }
    }
    // The owner is enabled before the dialog goes, so the system activates it again.
    if (disableOwner) EnableWindow(owner, TRUE);
    if (Handle()) DestroyWindow(Handle());
    // WM_QUIT belongs to the loop outside this one.
    if (quit) PostQuitMessage(quitCode);
    return result_;
}

bool CDialog::CreateModeless(HWND parent) {
    if (Handle()) return false;
    ended_ = false;
    result_ = -1;
    CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), parent, StartProc,
                       reinterpret_cast<LPARAM>(this));
    return Handle() != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
    result_ = result;
    ended_ = true;
    if (!Handle()) return;
    ShowWindow(Handle(), SW_HIDE);
    // A message sent from another thread does not make GetMessage return;
    // this wakes the modal loop so it sees that the dialog ended.
    PostMessageA(Handle(), WM_NULL, 0, 0);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_CLOSE:
            OnCancel();
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
                OnOK();
                return 0;
            }
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                return 0;
            }
            break;
    }
    return DefWindowProc(message, wParam, lParam);
}

INT_PTR CALLBACK CDialog::StartProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Every message but the first WM_INITDIALOG reaches the object through its
    // subclass first; what arrives here is the system's default handling.
    if (message != WM_INITDIALOG || CWindow::FromHandle(hwnd)) return message == WM_INITDIALOG;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || !dialog->Subclass(hwnd)) return TRUE;
    return dialog->Dispatch(WM_INITDIALOG, wParam, lParam);
}
