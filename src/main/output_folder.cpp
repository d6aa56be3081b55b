#include "main/output_folder.h"

#include <shlobj.h>

#include "common/windows_text.h"
#include "engine/folder_path.h"
#include "engine/output_directory.h"
#include "framework/registry.h"

namespace {

const char* const kDestination = "destination";
const wchar_t kBrowseTitle[] = L"Choose the folder the converted videos are written to.";

std::wstring SpecialFolder(int id) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path))) return std::wstring();
    return path;
}

// Opens the browser at the folder it was given (lpData).
int CALLBACK SelectStartFolder(HWND browser, UINT message, LPARAM, LPARAM folder) {
    if (message == BFFM_INITIALIZED && folder != 0) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, folder);
    return 0;
}

}  // namespace

std::string UserVideosFolder() {
    for (const int folder : {CSIDL_MYVIDEO, CSIDL_PERSONAL}) {
        const std::wstring path = SpecialFolder(folder);
        if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        if (const auto usable = UsableOutputFolder(ToUtf8(path))) return *usable;
    }
    return "C:\\";
}

std::string StartingOutputFolder() {
    if (const auto stored = UsableOutputFolder(ReadSetting(kDestination))) return *stored;
    return UserVideosFolder();
}

std::string BrowseForOutputFolder(HWND owner, const std::string& current) {
    // The browser finds "D:\Videos" but not always "D:\Videos\"; a drive root keeps its backslash.
    std::wstring start = ToWide(current);
    if (start.size() > 3 && start.back() == L'\\') start.pop_back();
    BROWSEINFOW browse = {};
    browse.hwndOwner = owner;
    browse.pidlRoot = nullptr;
    browse.lpszTitle = kBrowseTitle;
    // The new dialog style brings the "Make New Folder" button.
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = SelectStartFolder;
    browse.lParam = reinterpret_cast<LPARAM>(start.empty() ? nullptr : start.c_str());
    PIDLIST_ABSOLUTE picked = SHBrowseForFolderW(&browse);
    if (!picked) return std::string();
    wchar_t path[MAX_PATH] = {};
    const bool got = SHGetPathFromIDListW(picked, path) != FALSE;
    CoTaskMemFree(picked);
    if (!got) return std::string();
    const std::string folder = ToUtf8(path);
    if (!UsableOutputFolder(folder)) return std::string();
    return folder;
}

void StoreOutputFolder(const std::string& folder) { WriteSetting(kDestination, folder); }
