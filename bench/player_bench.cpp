// What the preview player costs and how fast it answers, under Wine with the
// real ffmpeg.exe. Prints figures; nothing passes or fails.
//   player_bench FFMPEG HD_CLIP DVD_CLIP PLAY_CLIP
// Still frame: from the request to the frame painted, at 8 s of a 720p H.264
// clip with a key frame every 10 s and of a DVD MPEG-2 clip, against ffmpeg.exe
// alone writing that frame to a file, interleaved, five each (medians).
// Playback: 20 s of the play clip at 25 frames a second in the 348 x 188
// preview: frames shown a second, late frames, the program's own processor
// time and the decoders' (as the job accounts them).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/process_launcher.h"
#include "framework/window.h"
#include "player/player_process.h"
#include "player/video_edit.h"

namespace {

class Host : public CWindow {
public:
    int playComplete = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PLAYER_PLAYCOMPLETE) {
            ++playComplete;
            return 0;
        }
        return CWindow::WindowProc(message, wParam, lParam);
    }
};

double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

double OwnCpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto value = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 1e7;
    };
    return value(kernel) + value(user);
}

void WaitForPlayComplete(Host& host, int count) {
    MSG message;
    while (host.playComplete < count && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void StillFrames(Host& host, CVideoEdit& player, const std::string& encoder, const std::string& clip,
                 const char* name) {
    const double t = 8.0;
    const double duration = player.GetDuration(clip);
    std::vector<double> viaPlayer, direct;
    for (int round = 0; round < 5; ++round) {
        const double start = Seconds();
        player.Close();
        player.OpenRange(clip, t, duration, 0);
        player.Run();
        WaitForPlayComplete(host, host.playComplete + 1);
        UpdateWindow(player.Handle());
        viaPlayer.push_back(Seconds() - start);

        const double directStart = Seconds();
        CPlayerProcess alone;
        alone.Start("\"" + encoder + "\" -v error -ss 8 -i \"" + clip + "\" -frames:v 1 -y still.bmp",
                    CPlayerProcess::Output::Error, false);
        alone.Wait(INFINITE);
        direct.push_back(Seconds() - directStart);
    }
    std::printf("still frame %-4s: player %.0f ms, ffmpeg.exe alone %.0f ms, ratio %.2f (medians of 5)\n", name,
                Median(viaPlayer) * 1000, Median(direct) * 1000, Median(viaPlayer) / Median(direct));
}

void Playback(Host& host, CVideoEdit& player, const std::string& clip) {
    player.GetDuration(clip);
    player.Close();
    player.OpenRange(clip, 0.0, 20.0, 1);
    const double cpuBefore = OwnCpuSeconds();
    const double decodersBefore = ChildProcessesCpuSeconds();
    const double start = Seconds();
    player.Run();
    WaitForPlayComplete(host, host.playComplete + 1);
    const double wall = Seconds() - start;
    const double own = OwnCpuSeconds() - cpuBefore;
    const double decoders = ChildProcessesCpuSeconds() - decodersBefore;
    std::printf(
        "playback 20 s at 25 fps, 348 x 188: %.2f s from Run to PlayComplete, %d frames shown (%.1f a second), "
        "%d late\n",
        wall, player.FramesShown(), player.FramesShown() / 20.0, player.FramesDropped());
    std::printf("  program's own processor time %.1f %% of a core, decoders %.1f %% of a core%s\n", own * 100 / wall,
                decoders * 100 / wall, decoders == 0.0 ? " (not accounted by this system)" : "");
    std::printf("  clock followed the sound card to the end: %s\n", player.ClockFollowedSound() ? "yes" : "no");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: player_bench FFMPEG HD_CLIP DVD_CLIP PLAY_CLIP\n");
        return 2;
    }
    Host host;
    CWindow::RegisterWindowClass("PlayerBench", 0, nullptr, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    host.Create("PlayerBench", "", WS_POPUP | WS_VISIBLE, 0, RECT{0, 0, 400, 300}, nullptr, 0);
    CVideoEdit player(argv[1], [](const std::string&) {});
    player.Create(host.Handle(), RECT{26, 94, 26 + 348, 94 + 188}, 1053);
    ShowWindow(player.Handle(), SW_SHOW);

    StillFrames(host, player, argv[1], argv[2], "720p");
    StillFrames(host, player, argv[1], argv[3], "DVD");
    Playback(host, player, argv[4]);
    return 0;
}
