// The task list's right-click menu.
#include <windows.h>

#include <memory>
#include <type_traits>

#include "engine/output_directory.h"
#include "engine/work_files.h"
#include "main/main_dialog.h"
#include "tasks/row_menu.h"

namespace {

enum RowMenuCommand : UINT { kOpenFolder = 1, kPlayOutput, kRemove, kTickAll, kUntickAll };

using MenuHolder = std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&DestroyMenu)>;

void AddEntry(HMENU menu, RowMenuCommand command, const wchar_t* text, bool applies) {
    AppendMenuW(menu, MF_STRING | (applies ? MF_ENABLED : MF_GRAYED), command, text);
}

MenuHolder RowMenu(const RowMenuEntries& entries) {
    MenuHolder menu(CreatePopupMenu(), &DestroyMenu);
    AddEntry(menu.get(), kOpenFolder, L"&Open output folder", true);
    AddEntry(menu.get(), kPlayOutput, L"&Play output", entries.play);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AddEntry(menu.get(), kRemove, L"&Remove", entries.remove);
    AddEntry(menu.get(), kTickAll, L"&Tick all", entries.tickAll);
    AddEntry(menu.get(), kUntickAll, L"&Untick all", entries.untickAll);
    return menu;
}

}  // namespace

// The row is selected first, as by any click; the menu then speaks of the
// row under the mouse, or of no row when the click missed them all.
void CMainDialog::OnListRightClick(const NMITEMACTIVATE& click) {
    OnListMouse();
    const int row = tasks_.Contains(click.iItem) ? click.iItem : -1;
    const std::string output = row >= 0 ? OutputPathOf(row) : std::string();
    const bool outputThere = !output.empty() && FileOrFolderExists(output);
    const bool outputReady = outputThere && tasks_.Copy(row).finished != 0;
    const MenuHolder menu = RowMenu(RowMenuFor(tasks_, row, run_.Running(), outputReady));
    POINT at = click.ptAction;
    ClientToScreen(list_.Handle(), &at);
    switch (desktop_.ChooseFromMenu(menu.get(), Handle(), at)) {
        case kOpenFolder:
            if (outputThere) {
                desktop_.ShowFileInFolder(output);
            } else {
                desktop_.OpenFolder(outputDirectory);
            }
            break;
        case kPlayOutput:
            desktop_.OpenWithPlayer(output);
            break;
        case kRemove:
            list_.SetSelectionMark(row);
            RemoveSelectedItem();
            break;
        case kTickAll:
            TickAll(true);
            break;
        case kUntickAll:
            TickAll(false);
            break;
    }
}

// The written name while the item has one, else the name a run would write now.
std::string CMainDialog::OutputPathOf(int row) {
    const std::string written = tasks_.Copy(row).writtenName;
    const std::string name = written.empty() ? PlannedOutputName(row) : written;
    return name.empty() ? std::string() : outputDirectory + name;
}

// Like every change of the list, none during a run.
void CMainDialog::TickAll(bool ticked) {
    if (run_.Running() || tasks_.Count() == 0) return;
    for (int index = 0; index < tasks_.Count(); ++index) {
        ConversionItem item = tasks_.Copy(index);
        item.selected = ticked;
        tasks_.Replace(index, item);
    }
    list_.RepaintCells(0, tasks_.Count() - 1, kColumnCheck, true);
}
