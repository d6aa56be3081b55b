#pragma once

#include <string>
#include <vector>

// Reads the profile INI files through Windows' private-profile functions. It
// only reads, and reads afresh every time: nothing is cached between calls.
// A missing file behaves as an empty one.
class CProfileIni {
public:
    // Names the file to read. True when the path is an existing file and not a
    // folder; the path is kept either way.
    bool SetFile(const std::string& path);

    // True when the section holds at least one key.
    bool HasKeys(const std::string& section) const;

    // The value, cut at 1,023 characters; "" when the file, section or key is missing.
    std::string GetString(const std::string& section, const std::string& key) const;

    // The value read as a number; 0 when missing or not a number.
    int GetNumber(const std::string& section, const std::string& key) const;

    // Fills the list with the file's section names, in file order, and returns
    // their number. A file without sections gives one empty name.
    int GetSectionNames(std::vector<std::string>& names) const;

    // Fills the two lists with the section's lines split at their first '=' and
    // returns their number. An empty or missing section gives one empty line.
    int GetSection(const std::string& section, std::vector<std::string>& keys, std::vector<std::string>& values) const;

private:
    std::string path_;
};

// The process's one reader, and the lists that its last section-name read and
// its last section read filled.
extern CProfileIni profileIni;
extern std::vector<std::string> sectionNames;
extern std::vector<std::string> sectionKeys;
extern std::vector<std::string> sectionValues;
