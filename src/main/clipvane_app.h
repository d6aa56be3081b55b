#pragma once

#include "framework/application.h"
#include "main/splash_thread.h"

// Clipvane's start-up: the skin before any window, the splash on its own
// thread, the program's folder, COM, then the main window, which closes the
// splash once it is set up. The program ends when that window ends; the
// splash thread is joined first.
class CClipvaneApp : public CApplication {
protected:
    bool InitInstance() override;
    int ExitInstance(int exitCode) override;

private:
    CSplashThread splash_;
    bool comReady_ = false;
};
