// A list of short clips through the main window, with 1, 2 and 4 items at
// once: the time from Start to the closing message, and how long posted input
// waits meanwhile. The program's own code with its installed tree, without a
// person's clicks in the way.
//
// run_bench PROGRAM_FOLDER CLIP_FOLDER CLIP_COUNT OUTPUT_FOLDER   (prints its figures)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/app_folder.h"
#include "framework/registry.h"
#include "input_waits.h"
#include "main/main_dialog.h"
#include "resource_ids.h"
#include "support/temp_folder.h"

namespace {

struct NoShutDown : IShutDown {
    void ShutDownComputer() override {}
};

// The closing message is answered as it shows; when it showed is the run's end.
double closingMessageAt = 0.0;
LRESULT CALLBACK AnswerMessages(int code, WPARAM wParam, LPARAM lParam) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && GetDlgItem(window, IDOK)) {
        closingMessageAt = NowMs();
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) return 2;
    programFolder = argv[1];
    const std::string clips = argv[2];
    const int count = std::atoi(argv[3]);
    const std::string output = argv[4];
    const std::string savedDestination = ReadSetting("destination");
    const std::string savedAtOnce = ReadSetting("atonce");
    WriteSetting("destination", output);
    const HHOOK hook = SetWindowsHookExA(WH_CBT, AnswerMessages, nullptr, GetCurrentThreadId());

    NoShutDown shutDown;
    CSystemDesktop desktop;  // the bench opens no row menu
    CMainDialog dialog(shutDown, desktop, nullptr);
    dialog.CreateModeless(nullptr);
    ShowWindow(dialog.Handle(), SW_SHOW);
    HandleMessagesFor(1000);
    std::vector<std::string> paths;
    for (int n = 1; n <= count; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "clip%02d.mp4", n);
        paths.push_back(clips + name);
    }
    dialog.AddItems(paths);
    // Every clip read before the first Start, so no run waits for a read.
    const auto anyBeingRead = [&dialog] {
        for (int row = 0; row < dialog.Tasks().Count(); ++row) {
            if (dialog.Tasks().Copy(row).status == kStatusProbing) return true;
        }
        return false;
    };
    for (const DWORD start = GetTickCount(); anyBeingRead() && GetTickCount() - start < 60000;) HandleMessagesFor(20);

    const HWND atOnce = GetDlgItem(dialog.Handle(), IDC_AT_ONCE);
    for (const int items : {1, 2, 4}) {
        for (const std::string& name : FileNamesIn(output)) DeleteFileA((output + name).c_str());
        SendMessageA(atOnce, CB_SETCURSEL, static_cast<WPARAM>(items - 1), 0);
        InputWaits waits(dialog.Handle());
        const double start = NowMs();
        SendMessageA(dialog.Handle(), WM_COMMAND, IDC_START, 0);
        std::printf("%d at once: %.2f s from Start to the closing message, %d of %d written\n", items,
                    (closingMessageAt - start) / 1000.0, static_cast<int>(FileNamesIn(output).size()), count);
        waits.Report("during the run:");
        std::fflush(stdout);
    }
    DestroyWindow(dialog.Handle());
    UnhookWindowsHookEx(hook);
    WriteSetting("destination", savedDestination);
    WriteSetting("atonce", savedAtOnce);
    return 0;
}
