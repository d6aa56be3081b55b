#include "skin/skin_file.h"

namespace {

bool IsLineByte(int byte) { return byte >= 0x20 && byte <= 0x7F; }

char Lower(int byte) { return static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte); }

// Reads the next line into `line`; false at the end of the file. Bytes past
// the line limit are read but not kept beyond one, which marks the line as
// too long for any value made from it to be used.
bool ReadSkinLine(std::FILE* file, std::string& line) {
    line.clear();
    int byte = std::fgetc(file);
    while (byte != EOF && !IsLineByte(byte)) byte = std::fgetc(file);
    if (byte == EOF) return false;
    while (byte != EOF && IsLineByte(byte)) {
        if (line.size() <= kSkinLineLimit) line.push_back(Lower(byte));
        byte = std::fgetc(file);
    }
    return true;
}

}  // namespace

bool LookUpSkinValue(std::FILE* file, const std::string& key, std::string& value) {
    value.clear();
    std::string line;
    while (ReadSkinLine(file, line)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || line.compare(0, equals, key) != 0 || equals != key.size()) continue;
        value = line.substr(equals + 1);
        return true;
    }
    return false;
}

bool FindSkinValue(const std::string& skinIniPath, const std::string& key, std::string& value) {
    value.clear();
    if (skinIniPath.empty()) return false;
    std::FILE* file = std::fopen(skinIniPath.c_str(), "rb");
    if (!file) return false;
    const bool found = LookUpSkinValue(file, key, value);
    std::fclose(file);
    return found;
}

bool ComposeSkinPath(const std::string& directory, const std::string& fileName, std::string& path) {
    path = directory + "\\" + fileName;
    return path.size() <= kSkinValueLimit;
}
