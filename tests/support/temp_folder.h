#pragma once

#include <string>
#include <vector>

// The names in a folder (its path with a trailing backslash), files and
// folders, in name order; none when the folder is not there.
std::vector<std::string> FileNamesIn(const std::string& folder);

// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the test ends.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path with a trailing backslash.
    const std::string& Path() const { return path_; }

    // Writes the bytes exactly as given (no line-end translation) and returns the full path.
    std::string Write(const std::string& relativePath, const std::string& bytes) const;
    std::string Read(const std::string& relativePath) const;
    bool Exists(const std::string& relativePath) const;
    void MakeFolder(const std::string& relativePath) const;

private:
    std::string path_;
};
