#include "main/add_dialog.h"

#include <cderr.h>
#include <commdlg.h>

#include "common/windows_text.h"
#include "engine/folder_path.h"
#include "framework/registry.h"
#include "main/output_folder.h"
#include "main/video_files.h"

namespace {

const char* const kAddFolder = "addfolder";

// Room for thousands of full paths: a choice that still does not fit is
// reported, never cut.
constexpr DWORD kNameBufferLength = 1 << 20;

std::wstring StartFolder() {
    const std::string stored = ReadSetting(kAddFolder);
    if (!stored.empty() && GetFileAttributesW(ToWide(stored).c_str()) != INVALID_FILE_ATTRIBUTES) {
        return ToWide(stored);
    }
    return ToWide(UserVideosFolder());
}

// One name is a full path; several are the folder followed by the names in it.
std::vector<std::wstring> SplitChoice(const std::vector<wchar_t>& buffer, WORD fileOffset) {
    const std::wstring first(buffer.data());
    if (fileOffset == 0 || buffer[fileOffset - 1] != L'\0') return {first};
    std::wstring folder = first;
    if (folder.back() != L'\\') folder += L'\\';
    std::vector<std::wstring> paths;
    for (const wchar_t* name = buffer.data() + fileOffset; *name != L'\0'; name += wcslen(name) + 1) {
        paths.push_back(folder + name);
    }
    return paths;
}

}  // namespace

ChosenFiles ChooseVideoFiles(HWND owner) {
    const std::wstring filter = AddDialogFilter();
    const std::wstring folder = StartFolder();
    std::vector<wchar_t> names(kNameBufferLength, L'\0');
    OPENFILENAMEW open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = filter.c_str();
    open.lpstrFile = names.data();
    open.nMaxFile = kNameBufferLength;
    open.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_ENABLESIZING | OFN_ALLOWMULTISELECT;
    ChosenFiles chosen;
    if (GetOpenFileNameW(&open)) {
        chosen.paths = SplitChoice(names, open.nFileOffset);
    } else {
        chosen.tooMany = CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;
    }
    return chosen;
}

void RememberAddFolder(const std::string& addedPath) { WriteSetting(kAddFolder, FolderOfPath(addedPath)); }
