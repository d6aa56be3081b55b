#pragma once

#include "framework/dialog.h"

// The splash picture: a borderless dialog (template 106) whose one control
// shows bitmap 173. It lives on the splash thread; closing it ends that
// thread's message loop.
class CSplashDialog : public CDialog {
public:
    CSplashDialog();

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;

private:
    HICON icon_;
};
