#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// The skin INI file. Despite its name it is no Windows profile file: it has
// no sections, and a line is any run of bytes 0x20 to 0x7F (every other byte,
// line ends, tabs and bytes above 0x7F alike, separates lines). Every byte is
// lower-cased as it is read; a line splits at its first "=" into key and
// value, with no white space trimmed; the first line with the key wins.

// A line and a value hold at most this many characters. (Keys are at most 63
// characters; a longer one matches no key the program asks for.)
constexpr std::size_t kSkinLineLimit = 1023;
constexpr std::size_t kSkinValueLimit = 511;

// Reads lines from the file's current position until one has the key (given
// in lower case); true with that line's value. A value is never cut: one
// beyond kSkinValueLimit comes back whole, and so does everything of a line
// beyond kSkinLineLimit that fits the line, so that no path is made from it.
bool LookUpSkinValue(std::FILE* file, const std::string& key, std::string& value);

// Opens the skin file ("rb") and looks the key up from its start. False, with
// an empty value, when the key is missing or the file cannot be opened; an
// empty path touches no disk.
bool FindSkinValue(const std::string& skinIniPath, const std::string& key, std::string& value);

// The full path of a skin's element file: the directory, a backslash and the
// file name. False when it is longer than kSkinValueLimit characters, which
// refuses it: a cut path names another file. The path is filled in whole
// either way, so that a message can name it.
bool ComposeSkinPath(const std::string& directory, const std::string& fileName, std::string& path);
