#include "main/clipvane_app.h"

#include <objbase.h>

#include "controls/skin_message_box.h"
#include "engine/app_folder.h"
#include "skin/skin.h"
#include "version.h"

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

    // The main window closes the splash as soon as it is up.
    splash_.Close(kSplashWaitMs);
    SkinMessageBox(CLIPVANE_NAME " " CLIPVANE_VERSION_TEXT, CLIPVANE_NAME, MB_OK | MB_ICONINFORMATION);
    return false;
}

int CClipvaneApp::ExitInstance(int exitCode) {
    splash_.Close(0);
    if (comReady_) CoUninitialize();
    return exitCode;
}
