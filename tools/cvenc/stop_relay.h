#pragma once

#include "cvenc/unique_handle.h"

// The converter stops an encoder by writing 'q' to its standard input; FFmpeg
// stops the same way. A thread of its own waits on cvenc's standard input
// (the wait blocks) and passes each 'q' to FFmpeg. When cvenc's input ends,
// FFmpeg's is closed too: nothing more will come, and an FFmpeg that asks a
// question then reads "no" instead of waiting for ever. The thread is never
// joined; it ends with the process.
void StartStopRelay(UniqueHandle ffmpegInput);
