#include "support/temp_folder.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

// The folder's real location, links resolved, as "\\?\" path text.
std::wstring RealPath(const std::string& folder) {
    HANDLE handle = CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::wstring();
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = GetFinalPathNameByHandleW(handle, path, MAX_PATH * 4, FILE_NAME_NORMALIZED);
    CloseHandle(handle);
    return length > 0 && length < MAX_PATH * 4 ? std::wstring(path, length) : std::wstring();
}

// Removes what the test made and nothing else: a folder that is a link (Wine
// makes some special folders links into the home folder) or that resolves to
// a place outside the test's own folder is unlinked, never emptied.
void RemoveTree(const std::string& folder, const std::wstring& root) {
    const std::wstring real = RealPath(folder);
    const bool inside = real == root || real.compare(0, root.size() + 1, root + L"\\") == 0;
    if (!inside) {
        RemoveDirectoryA(folder.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                RemoveDirectoryA(path.c_str());
                DeleteFileA(path.c_str());
            } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\", root);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());  // test scaffolding only: the program deletes through its own helper
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::vector<std::string> FileNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

TempFolder::TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    std::ostringstream name;
    name << base << "clipvane-test-" << GetCurrentProcessId() << '-' << GetTickCount() << '-' << ++counter << '\\';
    path_ = name.str();
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    const std::wstring root = RealPath(path_);
    if (!root.empty()) RemoveTree(path_, root);
}

std::string TempFolder::Write(const std::string& relativePath, const std::string& bytes) const {
    const std::string path = path_ + relativePath;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string TempFolder::Read(const std::string& relativePath) const {
    std::ifstream file(path_ + relativePath, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

bool TempFolder::Exists(const std::string& relativePath) const {
    return GetFileAttributesA((path_ + relativePath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void TempFolder::MakeFolder(const std::string& relativePath) const {
    CreateDirectoryA((path_ + relativePath).c_str(), nullptr);
}
