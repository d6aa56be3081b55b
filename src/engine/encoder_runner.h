#pragma once

#include <windows.h>

#include <functional>
#include <optional>

// Runs the external programs of a conversion pass and keeps the window alive
// while they run. A piped run hands every chunk the encoder prints to the
// progress reader and is stopped by writing "q" to the encoder; a hidden run
// is only waited for, and terminated on Stop.

// The program's ends of the running encoder's pipes, not inheritable. Created
// by RunEncoder, closed by StopEncoder; INVALID_HANDLE_VALUE once spent.
extern HANDLE encoderOutput;
extern HANDLE encoderInput;

// Called with each chunk read from the encoder: at most 255 bytes, always
// zero-terminated, exactly as one read returned it.
using EncoderChunkHandler = std::function<void(const char* chunk)>;

// Longest text a command buffer holds; CreateProcessA may write into it.
constexpr int kCommandBufferSize = 2048;

// How a program ended: its exit code, or nothing when it could not be started.
using ExitCode = std::optional<DWORD>;

// Starts the command with its standard output and error in one pipe and its
// standard input in another, then reads its output until the pipe breaks, a
// read fails, or cancelRequested is seen, and returns once the encoder has
// ended (one that does not end in time is ended, with exit code 1). Leaves
// both pipe ends open unless StopEncoder spent them during the run.
ExitCode RunEncoder(char* commandLine, const EncoderChunkHandler& onChunk);

// Starts the command hidden, without pipes, and waits for it; terminates it
// (exit code 0) when cancelRequested is seen. A command that cannot start, or
// that comes once cancelRequested is set, is skipped and has no exit code.
ExitCode RunHidden(char* commandLine);

// Closes the output pipe, writes the one byte "q" to the encoder's input and
// closes it. Does nothing with pipe ends that are already spent.
void StopEncoder();

// Handles every message waiting in the thread's queue as the window's own
// loop does (pre-translation included), then returns.
void PumpMessages();

// Runs "VavuDuzuv \"path\" " and waits for it without a time limit, handling
// the thread's messages meanwhile. A path too long for its 260-character
// command line is not started.
void AddToITunes(const char* outputPath);
