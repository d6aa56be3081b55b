#include <windows.h>

#include <fstream>

#include "skin/skin.h"

// Loads the skin the registry names, as Clipvane does at start-up, and then
// writes the size of the title element into the file named on its command
// line and exits with 3; a refused skin ends the process inside LoadSkin().
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    LoadSkin();
    std::ofstream(commandLine) << CurrentSkin().title.width << 'x' << CurrentSkin().title.height;
    return 3;
}
