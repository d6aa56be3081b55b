#pragma once

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
