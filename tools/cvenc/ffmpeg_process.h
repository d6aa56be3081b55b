#pragma once

#include <windows.h>

#include <string>

// What cvenc returns when FFmpeg could not be started at all.
constexpr int kCannotRunFfmpeg = 1;

// Runs ffmpeg.exe with the command line given (program path first), passing
// 'q' from cvenc's standard input on and its progress, rewritten, to cvenc's
// standard output. FFmpeg runs in a job that ends it when cvenc ends: the
// converter stops passes it does not watch by terminating cvenc, and FFmpeg
// must not go on writing the file the converter is about to delete.
// Returns FFmpeg's exit code, or reports why FFmpeg could not run and returns
// kCannotRunFfmpeg.
int RunFfmpeg(const std::wstring& ffmpegPath, const std::wstring& commandLine);

struct QuietRun {
    bool finished = false;  // false: it could not start, or was ended when its time was up
    int exitCode = kCannotRunFfmpeg;
    std::string output;  // its standard output and error together, as they came
};

// Runs ffmpeg.exe for a question about the input rather than an encode: its
// standard input is empty (the 'q' meant for the encode stays in cvenc's), its
// output is collected instead of shown, and it is ended when it still runs
// after the given time. Runs in a job like the encode does.
QuietRun RunFfmpegQuietly(const std::wstring& ffmpegPath, const std::wstring& commandLine, DWORD milliseconds);
