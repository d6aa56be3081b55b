#pragma once

#include <cstddef>
#include <string>

// Longest path the program keeps, in characters (a 260-character buffer).
constexpr std::size_t kPathLimit = 259;

// The drive and directory of a full file path, with its trailing backslash:
// everything up to and including the last '\' or '/'. Empty for a bare name.
std::string FolderOfPath(const std::string& fullPath);

// The app folder beside the program: programFolder followed by "app".
std::string AppFolderOf(const std::string& programFolder);
