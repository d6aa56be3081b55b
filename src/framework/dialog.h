#pragma once

#include "framework/window.h"

// A dialog made from a template of the program's resources. The dialog window
// itself is subclassed when it initialises, so the class's WindowProc sees
// every message from WM_INITDIALOG on and DefWindowProc is the system's dialog
// handling.
//
// DoModal() runs the dialog in a loop of our own (see message_loop.h), so that
// PreTranslateMessage() works for the dialog and its controls. CreateModeless()
// makes a dialog that lives in whichever loop its thread runs.
//
// The base map: WM_INITDIALOG calls OnInitDialog(); the OK and Cancel buttons
// (and Enter and Escape, which the dialog handling turns into them) call
// OnOK() and OnCancel(); WM_CLOSE calls OnCancel().
class CDialog : public CWindow {
public:
    explicit CDialog(int templateId) : templateId_(templateId) {}

    // Creates and shows the dialog, disables its owner and handles messages
    // until EndDialog(); then enables the owner, destroys the dialog and
    // returns the result given to EndDialog(), or -1 when the dialog could not
    // be created. Without an owner the application's main window owns it.
    INT_PTR DoModal(HWND owner = nullptr);

    // Creates the dialog without a loop of its own; it shows when its template
    // has WS_VISIBLE or when the caller shows it.
    bool CreateModeless(HWND parent);

    // Ends the modal loop with this result and hides the dialog; the window
    // itself is destroyed by DoModal() or, for a modeless dialog, its owner.
    void EndDialog(INT_PTR result);
    bool Ended() const { return ended_; }
    INT_PTR Result() const { return result_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Returns TRUE to let the system give the focus to the first control.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

private:
    static INT_PTR CALLBACK StartProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    bool ended_ = false;
    INT_PTR result_ = -1;
};
