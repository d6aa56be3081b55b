#include "main/output_folder.h"

#include <shlobj.h>

#include "engine/folder_path.h"
#include "engine/output_directory.h"
#include "framework/registry.h"

namespace {

const char* const kDestination = "destination";

std::string SpecialFolder(int id) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path))) return std::string();
    return path;
}

std::string DefaultOutputFolder() {
    for (const int folder : {CSIDL_MYVIDEO, CSIDL_PERSONAL}) {
        const std::string path = SpecialFolder(folder);
        if (path.empty() || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        if (const auto usable = UsableOutputFolder(path)) return *usable;
    }
    return "C:\\";
}

}  // namespace

std::string StartingOutputFolder() {
    if (const auto stored = UsableOutputFolder(ReadSetting(kDestination))) return *stored;
    return DefaultOutputFolder();
}

std::string BrowseForOutputFolder(HWND owner) {
    BROWSEINFOA browse = {};
    browse.hwndOwner = owner;
    browse.pidlRoot = nullptr;
    browse.lpszTitle = "";
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE picked = SHBrowseForFolderA(&browse);
    if (!picked) return std::string();
    char path[MAX_PATH] = {};
    const bool got = SHGetPathFromIDListA(picked, path) != FALSE;
    CoTaskMemFree(picked);
    if (!got || !UsableOutputFolder(path)) return std::string();
    return path;
}

void StoreOutputFolder(const std::string& folder) { WriteSetting(kDestination, folder); }
