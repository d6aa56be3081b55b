#include "engine/encoder_runner.h"

#include <algorithm>
#include <cstdio>

#include "engine/encoder_log.h"
#include "framework/process_launcher.h"
#include "framework/side_by_side.h"

namespace {

constexpr DWORD kChunkLimit = 255;

// A pipe cannot be waited on, so while the encoder is silent the read loop
// looks at it this often. Messages, and the encoder's end, wake it at once.
constexpr DWORD kOutputPollMs = 25;

// How long an encoder is given to end once its output has ended or it has its
// "q"; a hidden pass (at most a copy or a mux of a whole file); and the
// media-library helper. A program that takes longer is ended with this code.
constexpr DWORD kEncoderEndTimeoutMs = 15000;
constexpr DWORD kHiddenPassLimitMs = 30 * 60 * 1000;
constexpr DWORD kMediaLibraryLimitMs = 120000;
constexpr UINT kEndedByUs = 1;

void LogTimeout(const char* apiName) {
    SetLastError(ERROR_TIMEOUT);
    LogApiError(apiName);
}

// The end of the output is normal only when the pipe has broken.
void LogUnlessBroken(const char* apiName) {
    if (GetLastError() != ERROR_BROKEN_PIPE) LogApiError(apiName);
}

// The exit code of a program that was started: one that would not even end
// when terminated counts as ended by us.
ProgramEnd EndOf(const CChildProcess& program, bool stalled = false) {
    return {program.ExitCode().value_or(kEndedByUs), stalled};
}

enum class Waited { Ended, Stopped, OutOfTime };

// Looks whether the program has ended, checks Stop (when given) and the
// limit, and only then waits for its turn: until the program ends, a message
// comes or the limit is reached.
Waited WaitForProgram(const CChildProcess& program, DWORD limitMs, const bool* stop) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (program.Ended()) return Waited::Ended;
        if (stop && *stop) return Waited::Stopped;
        const DWORD waited = GetTickCount() - start;
        if (waited >= limitMs) return Waited::OutOfTime;
        WaitTurn(program.Handle(), limitMs - waited);
    }
}

}  // namespace

CEncoderRunner::CEncoderRunner(const bool& cancelRequested, DWORD silenceLimitMs)
    : cancelRequested_(cancelRequested), silenceLimitMs_(silenceLimitMs) {}

ProgramEnd CEncoderRunner::RunEncoder(const std::string& command, const EncoderChunkHandler& onChunk) {
    // As for a hidden pass: an export may end in the turn that brought the Stop.
    if (cancelRequested_) return {};
    CKernelHandle outputWrite, inputRead;
    if (!MakePipe(encoderOutput, outputWrite) || !MakePipe(inputRead, encoderInput)) {
        LogApiError("CreatePipe");
        return {};
    }
    // Standard output and standard error share one pipe: both reach the reader as one stream.
    CChildProcess encoder;
    RunAside([&] { encoder = StartProcess(command, {inputRead.Get(), outputWrite.Get(), outputWrite.Get()}); });
    if (!encoder) {
        LogApiError("CreateProcess");
        return {};
    }
    // Only the encoder holds the pipes' other ends now.
    if (!outputWrite.Reset()) LogApiError("CloseHandle");
    if (!inputRead.Reset()) LogApiError("CloseHandle");

    bool stalled = false;
    ReadEncoderOutput(encoder, onChunk, stalled);
    // Its output has ended, or it has its "q" (from the Stop button or from
    // the progress reader) and is finishing its file. Waiting for it keeps
    // the promise that the run returns once the encoder has finished, so
    // neither the next pass nor the stop's clean-up meets a half-written file,
    // and its exit code is final.
    if (!stalled && WaitForProgram(encoder, kEncoderEndTimeoutMs, nullptr) == Waited::OutOfTime) {
        LogTimeout("WaitForSingleObject");
        encoder.Terminate(kEndedByUs);
    }
    return EndOf(encoder, stalled);
}

// Reads encoderOutput afresh on every turn, because StopEncoder may have spent
// it from the chunk handler or from a dispatched message.
void CEncoderRunner::ReadEncoderOutput(const CChildProcess& encoder, const EncoderChunkHandler& onChunk,
                                       bool& stalled) {
    DWORD lastOutput = GetTickCount();
    for (;;) {
        if (!encoderOutput) return;
        // Asked before the pipe is: once the encoder has ended, all it printed is in the pipe.
        const bool ended = encoder.Ended();
        DWORD available = 0;
        if (!PeekNamedPipe(encoderOutput.Get(), nullptr, 0, nullptr, &available, nullptr)) {
            return LogUnlessBroken("PeekNamedPipe");
        }
        if (available > 0) {
            char chunk[kChunkLimit + 1] = {};
            DWORD length = 0;
            if (!ReadFile(encoderOutput.Get(), chunk, kChunkLimit, &length, nullptr)) {
                return LogUnlessBroken("ReadFile");
            }
            onChunk(chunk);
            lastOutput = GetTickCount();
            // A busy encoder must not keep the window, or the items beside it, waiting.
            WaitTurn(nullptr, 0);
        } else if (ended) {
            // A program the encoder started may have inherited the pipe and
            // keep it open long after: what is left is not the encoder's.
            return;
        } else {
            const DWORD silent = GetTickCount() - lastOutput;
            if (silent >= silenceLimitMs_) {
                LogTimeout("ReadFile");
                encoder.Terminate(kEndedByUs);
                stalled = true;
                return;
            }
            WaitTurn(encoder.Handle(), std::min(kOutputPollMs, silenceLimitMs_ - silent));
        }
        if (cancelRequested_) return;
    }
}

ProgramEnd CEncoderRunner::RunHidden(const std::string& command) {
    // A pass that comes after Stop is not started: even ended at once, it
    // could create a file that the stop's clean-up has already passed.
    if (cancelRequested_) return {};
    CChildProcess pass;
    RunAside([&] { pass = StartProcess(command, {}); });
    if (!pass) return {};
    switch (WaitForProgram(pass, kHiddenPassLimitMs, &cancelRequested_)) {
        case Waited::Stopped:
            pass.Terminate(0);
            break;
        case Waited::OutOfTime:
            LogTimeout("WaitForSingleObject");
            pass.Terminate(kEndedByUs);
            break;
        case Waited::Ended:
            break;
    }
    return EndOf(pass);
}

// Spent ends are forgotten as they close: a second call, or the read loop,
// must not touch a handle value that Windows may already have given to another object.
void CEncoderRunner::StopEncoder() {
    encoderOutput.Reset();
    if (encoderInput) {
        // Fails quietly when the encoder has already ended.
        DWORD written = 0;
        WriteFile(encoderInput.Get(), "q", 1, &written, nullptr);
        encoderInput.Reset();
    }
}

ProgramEnd CEncoderRunner::AddToITunes(const std::string& outputPath) {
    char commandLine[MAX_PATH];
    const int length = std::snprintf(commandLine, sizeof commandLine, "VavuDuzuv \"%s\" ", outputPath.c_str());
    if (length < 0 || length >= static_cast<int>(sizeof commandLine)) return {};
    CChildProcess helper;
    RunAside([&] { helper = StartProcess(commandLine, {}); });
    if (!helper) return {};
    // The window keeps answering while the media library takes the file.
    if (WaitForProgram(helper, kMediaLibraryLimitMs, nullptr) == Waited::OutOfTime) {
        LogTimeout("WaitForSingleObject");
        helper.Terminate(kEndedByUs);
    }
    return EndOf(helper);
}
