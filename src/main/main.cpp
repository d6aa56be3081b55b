#include <windows.h>

#include "main/clipvane_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CClipvaneApp application;
    return application.Run();
}
