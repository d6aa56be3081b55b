#include "support/temp_folder.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
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

TempFolder::TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    std::ostringstream name;
    name << base << "clipvane-test-" << GetCurrentProcessId() << '-' << GetTickCount() << '-' << ++counter << '\\';
    path_ = name.str();
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

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
