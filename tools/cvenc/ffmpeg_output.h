#pragma once

#include <string>

#include "cvenc/unique_handle.h"

// The pipe that carries FFmpeg's standard output and error to cvenc.
//
// Its end is not the end of the pipe: any process that inherits the write end
// from FFmpeg keeps the pipe open after FFmpeg has gone. Under Wine the console
// host that FFmpeg gets (it has no window) does so for about a second, and at
// times for good, which left cvenc waiting for ever. So cvenc reads with
// overlapped I/O and watches FFmpeg's process too: once FFmpeg has ended and
// the pipe holds nothing more, the output is complete.
struct OutputPipe {
    UniqueHandle own;    // cvenc's end, for overlapped reads, not inheritable
    UniqueHandle child;  // FFmpeg's end, inheritable, for plain writes
};

bool MakeOutputPipe(OutputPipe& pipe);

// Rewrites progress lines to cvenc's standard output, passes everything else
// to its standard error, and returns when FFmpeg's output is complete.
void ForwardOutput(HANDLE ownEnd, HANDLE ffmpegProcess);

// Collects FFmpeg's output as it is, for at most the given time. False when
// the time ran out before the output was complete (FFmpeg still runs then).
bool CollectOutput(HANDLE ownEnd, HANDLE ffmpegProcess, DWORD milliseconds, std::string& output);
