// A stand-in for ffmpeg.exe reading a source that never delivers: asked only
// to open a file ("-i FILE" and nothing after) it reports a 4-second video,
// asked for its encoders it lists none, and asked for pictures, sound or an
// export it prints nothing and never ends, until the player ends it.
// A source whose text is a number takes that many milliseconds to open, as
// on a busy system or while a virus scanner holds the encoder; FFmpeg's
// banner comes before.
#include <windows.h>

#include <fstream>
#include <string>

int main() {
    const std::string line = GetCommandLineA();
    if (line.find(" -encoders") != std::string::npos) return 0;
    const std::size_t input = line.rfind(" -i \"");
    const std::size_t inputEnd = input == std::string::npos ? input : line.find('"', input + 5);
    if (inputEnd != std::string::npos && inputEnd + 1 == line.size()) {
        const std::string banner = "ffmpeg version 4.1 Copyright (c) 2000-2018 the FFmpeg developers\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), banner.data(), static_cast<DWORD>(banner.size()), &written, nullptr);
        std::ifstream source(line.substr(input + 5, inputEnd - input - 5));
        DWORD openingMs = 0;
        if (source >> openingMs) Sleep(openingMs);
        const std::string report =
            "Input #0, avi, from 'source':\n"
            "  Duration: 00:00:04.00, start: 0.000000, bitrate: 300 kb/s\n"
            "    Stream #0:0: Video: mpeg4 (Simple Profile), yuv420p, 320x240 [SAR 1:1 DAR 4:3], 25 fps, 25 tbr\n"
            "At least one output file must be specified\n";
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
        return 1;
    }
    Sleep(INFINITE);
    return 0;
}
