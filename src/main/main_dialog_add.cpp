// Adding files to the task list: the Add dialog, and files or folders dropped
// on the window.
#include <windows.h>

#include <shellapi.h>

#include "common/windows_text.h"
#include "controls/skin_message_box.h"
#include "main/add_dialog.h"
#include "main/main_dialog.h"
#include "main/video_files.h"

namespace {

// A name that does not come back the same from UTF-8 (a broken UTF-16
// surrogate) would name another file, or none.
bool TakeName(const std::wstring& path, std::string& name) {
    name = ToUtf8(path);
    return !name.empty() && ToWide(name) == path;
}

// Some names, each on its line; a long list ends with how many more there are.
std::string RefusedText(const std::vector<std::wstring>& refused) {
    constexpr std::size_t kShown = 10;
    std::string text = "These files cannot be added, their names are not usable here:\n";
    for (std::size_t i = 0; i < refused.size() && i < kShown; ++i) text += "\n" + ToUtf8(refused[i]);
    if (refused.size() > kShown) text += "\n... and " + std::to_string(refused.size() - kShown) + " more";
    return text;
}

}  // namespace

void CMainDialog::OnAdd() {
    if (run_.Running()) return;
    const ChosenFiles chosen = ChooseVideoFiles(Handle());
    if (chosen.tooMany) {
        SkinMessageBox("Too many files were chosen at once: please add them in smaller groups.", "Error", 0);
    }
    AddFiles(chosen.paths, {});
}

void CMainDialog::AddFiles(const std::vector<std::wstring>& paths, std::vector<std::wstring> refused) {
    std::vector<std::string> taken;
    std::string name;
    for (const std::wstring& path : paths) {
        if (TakeName(path, name)) {
            taken.push_back(name);
        } else {
            refused.push_back(path);
        }
    }
    AddItems(taken);
    if (!taken.empty()) RememberAddFolder(taken.back());
    if (!refused.empty()) SkinMessageBox(RefusedText(refused).c_str(), "Error", 0);
}

// A dropped file is added as it is; a dropped folder adds the videos in it.
void CMainDialog::OnDropFiles(HDROP drop) {
    if (!run_.Running()) {
        std::vector<std::wstring> paths, refused;
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT index = 0; index < count; ++index) {
            std::wstring path(DragQueryFileW(drop, index, nullptr, 0), L'\0');
            if (path.empty()) continue;
            DragQueryFileW(drop, index, &path[0], static_cast<UINT>(path.size() + 1));
            const DWORD attributes = GetFileAttributesW(path.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                const std::vector<std::wstring> videos = VideosInFolder(path, refused);
                paths.insert(paths.end(), videos.begin(), videos.end());
            } else {
                paths.push_back(path);
            }
        }
        AddFiles(paths, refused);
    }
    DragFinish(drop);
}
