#include "main/video_files.h"

#include <windows.h>

#include <shlwapi.h>

#include <algorithm>
#include <iterator>

namespace {

// What the encoder reads and users have: the first group of the Add dialog.
const wchar_t* const kVideoExtensions[] = {L"rm",  L"rmvb", L"avi", L"mpg",  L"mpeg", L"vob", L"wmv", L"wma",
                                           L"asf", L"mov",  L"qt",  L"3gp",  L"mp4",  L"m4v", L"mkv", L"webm",
                                           L"flv", L"ts",   L"mts", L"m2ts", L"3g2",  L"ogv", L"dv",  L"divx"};

// The groups after the first, as users have always seen them ("*.mov; *.qt"
// included), then today's MKV, and every file for a video whose name says nothing.
const wchar_t kFamilyGroups[] =
    L"RealMedia Files (*.rm,*.rmvb)\0*.rm;*.rmvb\0"
    L"AVI Files (*.avi)\0*.avi\0"
    L"Mpeg files (*.mpg, *.mpeg,*.vob)\0*.mpg;*.mpeg;*.vob\0"
    L"Windows Media files (*.wmv, *.wma, *.asf)\0*.wmv;*.wma;*.asf\0"
    L"Quick Time Files (*.mov, *.qt)\0*.mov; *.qt\0"
    L"3GP Files (*.3gp)\0*.3gp\0"
    L"MP4 Files (*.mp4)\0*.mp4\0"
    L"MKV Files (*.mkv)\0*.mkv\0"
    L"All files (*.*)\0*.*\0";

bool IsDots(const wchar_t* name) { return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0; }

bool NameOrder(const std::wstring& a, const std::wstring& b) { return StrCmpLogicalW(a.c_str(), b.c_str()) < 0; }

void WalkFolder(const std::wstring& folder, std::vector<std::wstring>& videos, std::vector<std::wstring>& tooLong) {
    std::vector<std::wstring> files, folders;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (IsDots(found.cFileName)) continue;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder && (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) continue;
        if (!isFolder && !HasVideoExtension(found.cFileName)) continue;
        (isFolder ? folders : files).push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);

    std::sort(files.begin(), files.end(), NameOrder);
    std::sort(folders.begin(), folders.end(), NameOrder);
    for (const std::wstring& file : files) {
        const std::wstring path = folder + file;
        (path.size() < MAX_PATH ? videos : tooLong).push_back(path);
    }
    for (const std::wstring& name : folders) {
        // The search pattern of a subfolder needs room for "\*" as well.
        const std::wstring path = folder + name + L"\\";
        if (path.size() + 1 < MAX_PATH) {
            WalkFolder(path, videos, tooLong);
        } else {
            tooLong.push_back(path);
        }
    }
}

}  // namespace

std::wstring AddDialogFilter() {
    std::wstring patterns;
    for (const wchar_t* extension : kVideoExtensions) {
        if (!patterns.empty()) patterns += L';';
        patterns += L"*.";
        patterns += extension;
    }
    std::wstring filter = L"Support Video Files";
    filter += L'\0';
    filter += patterns;
    filter += L'\0';
    filter.append(kFamilyGroups, std::size(kFamilyGroups));  // with the list's closing zero
    return filter;
}

bool HasVideoExtension(const std::wstring& name) {
    const wchar_t* dot = wcsrchr(name.c_str(), L'.');
    if (dot == nullptr || wcschr(dot, L'\\') != nullptr) return false;
    for (const wchar_t* extension : kVideoExtensions) {
        if (CompareStringOrdinal(dot + 1, -1, extension, -1, TRUE) == CSTR_EQUAL) return true;
    }
    return false;
}

std::vector<std::wstring> VideosInFolder(const std::wstring& folder, std::vector<std::wstring>& tooLong) {
    std::vector<std::wstring> videos;
    std::wstring start = folder;
    if (!start.empty() && start.back() != L'\\') start += L'\\';
    if (start.size() + 1 < MAX_PATH) {
        WalkFolder(start, videos, tooLong);
    } else {
        tooLong.push_back(start);
    }
    return videos;
}
