// Runs the preview player for the end-to-end tier, which makes the clips with
// Debian's ffmpeg and checks what this prints and writes with ffprobe:
//   player_driver FFMPEG OUTPUT_FOLDER REALMEDIA_CLIP CLIP...
// prints "duration<TAB>clip<TAB>seconds" for every clip, then exports the
// RealMedia clip's range 1.0 to 3.0 s in both forms, as "export.avi" (the
// codecs chosen by name) and "export.mpg", and prints
// "export<TAB>file<TAB>result" (0 finished, 1 failed, 2 stopped).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/window.h"
#include "player/codec_choice.h"
#include "player/video_edit.h"

namespace {

class Host : public CWindow {
public:
    int finished = -1;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PLAYER_EXPORTFINISHED) {
            finished = static_cast<int>(wParam);
            return 0;
        }
        return CWindow::WindowProc(message, wParam, lParam);
    }
};

std::vector<std::string> Names(const CVideoEdit::CCodecList& list) {
    std::vector<std::string> names;
    for (short index = 0; index < list.Count(); ++index) names.push_back(list.Item(index));
    return names;
}

int Export(Host& host, CVideoEdit& player, const std::string& clip, const std::string& output, bool avi) {
    player.Reset();
    player.SetOutputWidth(kExportWidth);
    player.SetOutputHeight(kExportHeight);
    const CodecChoice codecs = ChooseExportCodecs(Names(player.VideoCodecs()), Names(player.AudioCodecs()));
    const ExportForm form = ExportFormFor(avi ? codecs : CodecChoice{});
    player.SetOutputFrameRate(form.frameRate);
    player.SetOutputFormat(form.format);
    if (form.setCodecs) {
        player.SetUseVideoCodec(true);
        player.SetVideoCodecIndex(static_cast<short>(codecs.video));
        player.SetUseAudioCodec(true);
        player.SetAudioCodecIndex(static_cast<short>(codecs.audio));
    }
    player.OpenRange(clip, 1.0, 3.0, 0);
    host.finished = -1;
    if (!player.ExportTo(output)) return 1;
    MSG message;
    while (host.finished < 0 && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return host.finished;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    const std::string folder = argv[2];
    Host host;
    CWindow::RegisterWindowClass("PlayerDriver", 0, nullptr, nullptr);
    host.Create("PlayerDriver", "", WS_POPUP, 0, RECT{0, 0, 400, 300}, nullptr, 0);
    CVideoEdit player(argv[1], [](const std::string&) {});
    player.Create(host.Handle(), RECT{0, 0, 348, 188}, 1053);

    for (int n = 3; n < argc; ++n) std::printf("duration\t%s\t%.3f\n", argv[n], player.GetDuration(argv[n]));
    for (const bool avi : {true, false}) {
        const std::string output = folder + (avi ? "\\export.avi" : "\\export.mpg");
        std::printf("export\t%s\t%d\n", output.c_str(), Export(host, player, argv[3], output, avi));
    }
    return 0;
}
