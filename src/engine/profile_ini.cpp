#include "engine/profile_ini.h"

#include <windows.h>

#include "engine/profile_block.h"

CProfileIni profileIni;
std::vector<std::string> sectionNames;
std::vector<std::string> sectionKeys;
std::vector<std::string> sectionValues;

namespace {

constexpr DWORD kKeyListSize = 1024;

}  // namespace

bool CProfileIni::SetFile(const std::string& path) {
    path_ = path;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Without a file name Windows would read its own win.ini, so an unnamed file
// is read as an empty one.
bool CProfileIni::HasKeys(const std::string& section) const {
    if (path_.empty()) return false;
    char keys[kKeyListSize] = {};
    GetPrivateProfileStringA(section.c_str(), nullptr, "", keys, kKeyListSize, path_.c_str());
    return keys[0] != '\0';
}

std::string CProfileIni::GetString(const std::string& section, const std::string& key) const {
    if (path_.empty()) return std::string();
    char value[kProfileTextLimit + 1] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value, path_.c_str());
    return value;
}

int CProfileIni::GetNumber(const std::string& section, const std::string& key) const {
    return ProfileNumber(GetString(section, key));
}

int CProfileIni::GetSectionNames(std::vector<std::string>& names) const {
    std::vector<char> block(kProfileBlockSize, '\0');
    if (!path_.empty()) GetPrivateProfileSectionNamesA(block.data(), kProfileBlockSize, path_.c_str());
    names = WalkProfileBlock(block.data(), block.size());
    return static_cast<int>(names.size());
}

int CProfileIni::GetSection(const std::string& section, std::vector<std::string>& keys,
                            std::vector<std::string>& values) const {
    std::vector<char> block(kProfileBlockSize, '\0');
    if (!path_.empty()) GetPrivateProfileSectionA(section.c_str(), block.data(), kProfileBlockSize, path_.c_str());
    keys.clear();
    values.clear();
    for (const std::string& line : WalkProfileBlock(block.data(), block.size())) {
        ProfileLine split = SplitProfileLine(line);
        keys.push_back(std::move(split.key));
        values.push_back(std::move(split.value));
    }
    return static_cast<int>(keys.size());
}
