#include "engine/app_folder.h"

#include <windows.h>

#include <direct.h>

#include "engine/folder_path.h"

std::string programFolder;

void RecordProgramFolder() {
    char modulePath[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    programFolder = FolderOfPath(std::string(modulePath, length < MAX_PATH ? length : 0));
    if (!programFolder.empty()) _chdir(programFolder.c_str());
}

bool EnterAppFolder() { return _chdir(AppFolderOf(programFolder).c_str()) == 0; }
