// Shows the preview player in a window on the screen, for people to look at
// and for scripts/screenshot-preview to photograph:
//   preview_demo FFMPEG CLIP still SECONDS READY DONE
//   preview_demo FFMPEG CLIP play BEGIN END READY DONE
// When the still frame is painted (or, for play, once a second's frames are
// shown) it writes the file READY, then keeps running until the file DONE
// appears, or for a minute at most.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "player_host.h"

namespace {

constexpr UINT_PTR kLookTimer = 1;
constexpr DWORD kLongestShowMs = 60000;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Touch(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 7) return 2;
    const std::string encoder = argv[1], clip = argv[2], mode = argv[3];
    const bool play = mode == "play";
    const std::string ready = argv[play ? 6 : 5], done = argv[play ? 7 : 6];
    if (play && argc < 8) return 2;

    PlayerHost host(encoder, [](const std::string&) {});
    CVideoEdit& player = host.Player();
    const double begin = std::atof(argv[4]);
    player.OpenRange(clip, begin, play ? std::atof(argv[5]) : player.GetDuration(clip), play ? 1 : 0);
    if (!player.Run()) return 1;

    const bool shown =
        PumpUntil([&] { return play ? player.FramesShown() >= 25 : host.Count(WM_PLAYER_PLAYCOMPLETE) > 0; }, 30000);
    // Lets the last frame reach the screen before the picture is taken.
    UpdateWindow(player.Handle());
    GdiFlush();
    Touch(ready);
    const DWORD start = GetTickCount();
    SetTimer(nullptr, kLookTimer, 100, nullptr);
    PumpUntil([&] { return Exists(done) || GetTickCount() - start > kLongestShowMs; }, kLongestShowMs + 1000);
    return shown ? 0 : 1;
}
