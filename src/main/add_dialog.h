#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The Add button's file dialog: several videos at once, opening where the user
// last added one (the registry's "addfolder"), the first time in the user's
// Videos folder. Its buffer holds far more names than one choice can make.

struct ChosenFiles {
    std::vector<std::wstring> paths;  // full paths, in the order the dialog gives them
    bool tooMany = false;             // the choice did not fit even that buffer
};

ChosenFiles ChooseVideoFiles(HWND owner);

// Keeps the folder of a file just added for the dialog's next opening.
void RememberAddFolder(const std::string& addedPath);
