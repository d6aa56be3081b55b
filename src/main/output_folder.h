#pragma once

#include <windows.h>

#include <string>

// Where the output directory comes from: the registry value "destination",
// kept from the last choice; without one, the user's Videos folder (or
// Documents where there is none). Stored or picked folders that do not fit
// the program's path buffer are refused, and the folder in use stays.

// The stored folder, or the default one, with its trailing backslash.
std::string StartingOutputFolder();

// The user's Videos folder, or Documents where there is none, or "C:\".
std::string UserVideosFolder();

// Shows the folder browser, opened at the current folder, with a button that
// makes a new folder; the picked folder as the browser returns it, or empty
// when nothing (or a folder that does not fit) was picked.
std::string BrowseForOutputFolder(HWND owner, const std::string& current);

// Stores the folder as "destination"; failures are ignored.
void StoreOutputFolder(const std::string& folder);
