#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "controls/skin_list_ctrl.h"
#include "framework/window.h"
#include "skin/skin.h"

// The task list's repaint: a 1,000-row skinned list whose parent fills every
// cell, against the system list view showing the same texts without custom
// draw, in the same run and window; then one Progress cell repainted 20 times
// a second, as a running conversion does, in CPU time of this process.
//
// list_bench [ROUNDS]

namespace {

constexpr int kRows = 1000;
constexpr int kColumns = 6;
const char* const kTitles[kColumns] = {"", "Source", "Begin Time", "End Time", "Output", "Progress"};
const int kWidths[kColumns] = {22, 150, 70, 70, 120, 330};

double Now() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double ProcessCpuMs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

// The texts the main window gives the cells of a running list.
std::string CellText(int row, int column, int progress) {
    char text[160] = {};
    switch (column) {
        case 1:
            std::snprintf(text, sizeof text, "Holiday & friends %04d.avi", row);
            break;
        case 2:
            std::snprintf(text, sizeof text, "00:%02d:%02d", row % 60, row % 7);
            break;
        case 3:
            std::snprintf(text, sizeof text, "01:%02d:%02d", row % 60, row % 11);
            break;
        case 4:
            std::snprintf(text, sizeof text, "Holiday %04d.mp4", row);
            break;
        case 5:
            std::snprintf(text, sizeof text, "00:00:%02d    %.02fMB    %.02fFrames/s      %%%d ", progress % 60,
                          progress * 0.1, 25.0, progress);
            break;
    }
    return text;
}

class CBenchHost : public CWindow {
public:
    HWND plainList = nullptr;
    int progress = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_LIST_GETCELLINFO:
                FillCell(*reinterpret_cast<CellInfo*>(lParam));
                return 0;
            case WM_NOTIFY: {
                auto* info = reinterpret_cast<NMLVDISPINFOA*>(lParam);
                if (info->hdr.hwndFrom == plainList && info->hdr.code == LVN_GETDISPINFOA &&
                    (info->item.mask & LVIF_TEXT)) {
                    const std::string text = CellText(info->item.iItem, info->item.iSubItem, progress);
                    lstrcpynA(info->item.pszText, text.c_str(), info->item.cchTextMax);
                }
                break;
            }
        }
        return CWindow::WindowProc(message, wParam, lParam);
    }

private:
    void FillCell(CellInfo& cell) const {
        cell.textColor = RGB(10, 5, 20);
        cell.backgroundColor = RGB(220, 220, 220);
        cell.selectedTextColor = RGB(49, 66, 97);
        cell.selectedBackgroundFocused = RGB(30, 0, 96);
        cell.selectedBackgroundUnfocused = RGB(20, 20, 120);
        if (cell.subitem == 0) {
            cell.hasCheckBox = true;
            cell.checkState = cell.item % 3 ? DFCS_CHECKED : 0;
            cell.checkPlainBackground = false;
            return;
        }
        cell.text = CellText(cell.item, cell.subitem, progress);
        if (cell.subitem == 5) {
            cell.progressMax = 100;
            cell.progressPos = progress;
            cell.progressTextColor = RGB(154, 30, 28);
        }
    }
};

HWND MakeList(HWND parent, int x) {
    const HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, x, 10,
                                      620, 400, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (int i = 0; i < kColumns; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(kTitles[i]);
        column.cx = kWidths[i];
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    SendMessageA(list, LVM_SETITEMCOUNT, kRows, 0);
    return list;
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Milliseconds per full repaint of the list's client area.
double RepaintMs(HWND list, int rounds) {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const double start = Now();
    for (int i = 0; i < rounds; ++i) RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return (Now() - start) / rounds;
}

struct ProgressLoop {
    int repaints = 0;
    double wallMs = 0;
    double repaintMs = 0;
    double cpuPercent = 0;
};

// Ticks 20 times a second for ten seconds; each tick moves the progress and,
// given a list, asks it to repaint its Progress cell, as the main window does
// (any painting it leaves for later happens in this loop too). The process
// times tick every 10-16 ms, so a shorter run could not tell 1 % apart.
ProgressLoop RunProgressLoop(CBenchHost& host, CSkinListCtrl* list) {
    ProgressLoop loop;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, nullptr);
    const double cpuStart = ProcessCpuMs();
    const double wallStart = Now();
    MSG message;
    while (Now() - wallStart < 10000.0 && GetMessageA(&message, nullptr, 0, 0)) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            host.progress = (host.progress + 1) % 101;
            if (!list) continue;
            const double before = Now();
            list->RepaintCells(2, 2, 5, false);
            loop.repaintMs += Now() - before;
            ++loop.repaints;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    KillTimer(nullptr, timer);
    loop.wallMs = Now() - wallStart;
    loop.cpuPercent = 100.0 * (ProcessCpuMs() - cpuStart) / loop.wallMs;
    return loop;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 100;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    LoadSkin();

    CBenchHost host;
    CWindow::RegisterWindowClass("ClipvaneListBench", 0, LoadCursor(nullptr, IDC_ARROW),
                                 GetSysColorBrush(COLOR_BTNFACE));
    host.Create("ClipvaneListBench", "list bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, {0, 0, 1280, 440},
                nullptr, 0);
    CSkinListCtrl skinned;
    skinned.Subclass(MakeList(host.Handle(), 10));
    skinned.InitSkinScrollBars();
    host.plainList = MakeList(host.Handle(), 650);
    Pump();

    for (int i = 0; i < 5; ++i) {
        RepaintMs(skinned.Handle(), 4);
        RepaintMs(host.plainList, 4);
    }
    const double skinnedMs = RepaintMs(skinned.Handle(), rounds);
    const double plainMs = RepaintMs(host.plainList, rounds);
    const int visible = static_cast<int>(SendMessageA(skinned.Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
    std::printf("full repaint, %d rows (%d visible) x %d columns, %d rounds:\n", kRows, visible, kColumns, rounds);
    std::printf("  skinned list, parent fills every cell: %.2f ms\n", skinnedMs);
    std::printf("  system list view, same texts:          %.2f ms\n", plainMs);

    // One Progress cell repainted 20 times a second, as the progress parser
    // repaints it during a conversion; then the same loop without repaints,
    // to take the loop's own cost away.
    const ProgressLoop painted = RunProgressLoop(host, &skinned);
    const ProgressLoop idle = RunProgressLoop(host, nullptr);
    std::printf("one Progress cell, %d repaints in %.0f ms:\n", painted.repaints, painted.wallMs);
    std::printf("  %.3f ms in the list's repaint call\n", painted.repaints ? painted.repaintMs / painted.repaints : 0.0);
    std::printf("  process CPU %.2f %% of a core; the same loop without repaints %.2f %%; repaints alone %.2f %%\n",
                painted.cpuPercent, idle.cpuPercent, painted.cpuPercent - idle.cpuPercent);
    DestroyWindow(host.Handle());
    return 0;
}
