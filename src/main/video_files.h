#pragma once

#include <string>
#include <vector>

// Which files are videos, for the Add dialog's filter and for a folder dropped
// on the window: one list of extensions serves both.

// The Add dialog's filter: description and patterns, each ended by a zero,
// the whole list by a second zero (the form the file dialog reads).
std::wstring AddDialogFilter();

// True when the name ends in one of the video extensions, in any case.
bool HasVideoExtension(const std::wstring& name);

// The videos in a folder and its subfolders: each folder's files in name
// order (as Explorer sorts them, "2" before "10"), then its subfolders in name
// order. Links to other folders are not followed, so no folder is walked
// twice. Names too long for the system's path buffer go to `tooLong`.
std::vector<std::wstring> VideosInFolder(const std::wstring& folder, std::vector<std::wstring>& tooLong);
