#include <windows.h>

#include "version.h"

// Until the main window exists the program only says who it is.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, CLIPVANE_NAME " " CLIPVANE_VERSION_TEXT, CLIPVANE_NAME, MB_OK | MB_ICONINFORMATION);
    return 0;
}
