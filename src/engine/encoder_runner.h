#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "framework/kernel_handle.h"

class CChildProcess;

// Called with each chunk read from the encoder: at most 255 bytes, always
// zero-terminated, exactly as one read returned it.
using EncoderChunkHandler = std::function<void(const char* chunk)>;

// How long an encoder may print nothing before it counts as hung.
constexpr DWORD kEncoderSilenceLimitMs = 120000;

// How a pass's program ended.
struct ProgramEnd {
    std::optional<DWORD> exitCode;  // nothing when it could not be started or was not started
    bool stalled = false;           // ended by us after the silence limit without output
};

// Runs the external programs of a conversion pass and keeps the window alive
// while they run: every wait handles the thread's messages (the Stop button,
// painting) and has a limit. A piped run hands every chunk the encoder prints
// to the progress reader and is stopped by writing "q" to the encoder; a
// hidden run is only waited for, and terminated on Stop.
//
// Each runner has its own encoder, so items converted side by side each get
// one. It reads the Stop flag it is given after every dispatch of messages.
class CEncoderRunner {
public:
    explicit CEncoderRunner(const bool& cancelRequested, DWORD silenceLimitMs = kEncoderSilenceLimitMs);
    CEncoderRunner(const CEncoderRunner&) = delete;
    CEncoderRunner& operator=(const CEncoderRunner&) = delete;

    // Starts the command with its standard output and error in one pipe and
    // its standard input in another, then reads its output until the encoder
    // has ended and the pipe holds nothing more, a read fails, the encoder has
    // been silent for the limit (it is then ended, and stalled), or Stop is
    // seen. Returns once the encoder has ended (one that does not end in time
    // after its output or its "q" is ended, with exit code 1). Leaves both pipe
    // ends open unless StopEncoder spent them during the run.
    ProgramEnd RunEncoder(const std::string& command, const EncoderChunkHandler& onChunk);

    // Starts the command hidden, without pipes, and waits for it; terminates
    // it (exit code 0) when Stop is seen, or (exit code 1, logged) when it
    // runs longer than a pass that copies a whole file can. A command that
    // cannot start, or that comes once Stop is set, is skipped.
    ProgramEnd RunHidden(const std::string& command);

    // Closes the output pipe, writes the one byte "q" to the encoder's input
    // and closes it. Never waits; does nothing with pipe ends already spent.
    void StopEncoder();

    // Runs "VavuDuzuv \"path\" " and waits a bounded time for it, then ends it
    // (logged). A path too long for its 260-character command line is not
    // started.
    ProgramEnd AddToITunes(const std::string& outputPath);

private:
    void ReadEncoderOutput(const CChildProcess& encoder, const EncoderChunkHandler& onChunk, bool& stalled);

    const bool& cancelRequested_;
    const DWORD silenceLimitMs_;
    // The program's ends of the running encoder's pipes, not inheritable.
    // Made by RunEncoder, closed by StopEncoder.
    CKernelHandle encoderOutput;
    CKernelHandle encoderInput;
};
