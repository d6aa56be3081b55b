#include "engine/folder_path.h"

std::string FolderOfPath(const std::string& fullPath) {
    const std::size_t lastSeparator = fullPath.find_last_of("\\/");
    if (lastSeparator == std::string::npos) return std::string();
    return fullPath.substr(0, lastSeparator + 1);
}

std::string AppFolderOf(const std::string& programFolder) { return programFolder + "app"; }
