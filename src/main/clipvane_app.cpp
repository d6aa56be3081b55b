#include "main/clipvane_app.h"

#include <objbase.h>

#include "engine/app_folder.h"
#include "main/main_dialog.h"
#include "skin/skin.h"

namespace {

// How long the main window waits for the splash to come up before going on
// without closing it: a splash thread that starts this late ends by itself.
const DWORD kSplashWaitMs = 5000;

}  // namespace

bool CClipvaneApp::InitInstance() {
    LoadSkin();
    splash_.Start();
    RecordProgramFolder();
    comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

    CSystemShutDown shutDown;
    CSystemDesktop desktop;
    CMainDialog dialog(shutDown, desktop, [this] { splash_.Close(kSplashWaitMs); });
    dialog.DoModal();
    return false;
}

int CClipvaneApp::ExitInstance(int exitCode) {
    splash_.Close(0);
    if (comReady_) CoUninitialize();
    return exitCode;
}
