#include "engine/encoder_runner.h"

#include <cstdio>

#include "engine/encoder_log.h"
#include "engine/run_state.h"
#include "framework/message_loop.h"

HANDLE encoderOutput = INVALID_HANDLE_VALUE;
HANDLE encoderInput = INVALID_HANDLE_VALUE;

namespace {

constexpr DWORD kChunkLimit = 255;

// A pipe cannot be waited on, so while the encoder is silent the read loop
// looks at it this often. Messages, and the encoder's end, wake it at once.
constexpr DWORD kOutputPollMs = 25;

// How long an encoder is given to end once its output has ended or it has its
// "q", and the exit code it gets when it is ended for not doing so.
constexpr DWORD kEncoderEndTimeoutMs = 15000;
constexpr UINT kEndedForHanging = 1;

// The structure gets the size it has in this build. 68 bytes is its size in a
// 32-bit program; in a 64-bit one the standard handles lie past byte 68, where
// a system that honours the size would not look for them.
STARTUPINFOA HiddenStartup(DWORD flags) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = flags;
    startup.wShowWindow = SW_HIDE;
    return startup;
}

// A handle the program does not have (its creation failed and was logged) is
// neither copied nor closed, so each failure is logged once.
HANDLE CopyHandle(HANDLE source, BOOL inheritable, HANDLE none) {
    if (!source) return none;
    HANDLE copy = nullptr;
    const HANDLE self = GetCurrentProcess();
    if (DuplicateHandle(self, source, self, &copy, 0, inheritable, DUPLICATE_SAME_ACCESS)) return copy;
    LogApiError("DuplicateHandle");
    return none;
}

void CloseOwnCopy(HANDLE& handle) {
    if (handle && !CloseHandle(handle)) LogApiError("CloseHandle");
    handle = nullptr;
}

// Starts the command in a new hidden console with the three standard handles.
// Returns its process handle, or nullptr when it could not be started.
HANDLE LaunchRedirected(HANDLE output, HANDLE input, HANDLE error, char* commandLine) {
    STARTUPINFOA startup = HiddenStartup(STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES);
    startup.hStdOutput = output;
    startup.hStdInput = input;
    startup.hStdError = error;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr, nullptr, &startup,
                        &process)) {
        LogApiError("CreateProcess");
        return nullptr;
    }
    if (!CloseHandle(process.hThread)) LogApiError("CloseHandle");
    return process.hProcess;
}

// The end of the output is normal only when the pipe has broken.
void LogUnlessBroken(const char* apiName) {
    if (GetLastError() != ERROR_BROKEN_PIPE) LogApiError(apiName);
}

// Sleeps until a message arrives, the encoder ends, or it is time to look at
// the pipe again. Once the encoder has ended its handle stays signalled, so it
// is dropped from the wait: a grandchild that inherited the pipe may still be
// writing, and waiting on a signalled handle would return at once, every time.
void WaitForOutput(HANDLE& runningEncoder) {
    const DWORD count = runningEncoder ? 1 : 0;
    const DWORD woke =
        MsgWaitForMultipleObjectsEx(count, &runningEncoder, kOutputPollMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (count == 1 && woke == WAIT_OBJECT_0) runningEncoder = nullptr;
}

// The encoder's output has ended, or it has its "q" (from the Stop button or
// from the progress reader) and is finishing its file. Waiting for it,
// dispatching messages, keeps the promise that the run returns once the
// encoder has finished, so neither the next pass nor the stop's clean-up meets
// a half-written file, and its exit code is final. An encoder that does not
// end is ended after a bounded time, and that is logged.
void WaitForEncoderEnd(HANDLE runningEncoder) {
    const DWORD start = GetTickCount();
    while (runningEncoder) {
        const DWORD waited = GetTickCount() - start;
        if (waited >= kEncoderEndTimeoutMs) {
            SetLastError(ERROR_TIMEOUT);
            LogApiError("WaitForSingleObject");
            if (!TerminateProcess(runningEncoder, kEndedForHanging)) LogApiError("TerminateProcess");
            WaitForSingleObject(runningEncoder, kEncoderEndTimeoutMs);
            return;
        }
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &runningEncoder, kEncoderEndTimeoutMs - waited, QS_ALLINPUT,
                                                       MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) return;
        PumpMessages();
    }
}

// Without the output pipe nothing can be read: the encoder is only waited
// for, as if silent, until it ends or Stop is pressed.
void WaitWithoutOutput(HANDLE runningEncoder) {
    while (runningEncoder && !cancelRequested) {
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &runningEncoder, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke != WAIT_OBJECT_0 + 1) return;
        PumpMessages();
    }
}

// Reads the global encoderOutput afresh on every turn, because StopEncoder may
// have spent it from the chunk handler or from a dispatched message.
void ReadEncoderOutput(HANDLE encoder, const EncoderChunkHandler& onChunk) {
    if (encoderOutput == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        LogApiError("ReadFile");
        return WaitWithoutOutput(encoder);
    }
    HANDLE runningEncoder = encoder;
    for (;;) {
        if (encoderOutput == INVALID_HANDLE_VALUE) return;
        DWORD available = 0;
        if (!PeekNamedPipe(encoderOutput, nullptr, 0, nullptr, &available, nullptr)) {
            return LogUnlessBroken("PeekNamedPipe");
        }
        if (available > 0) {
            char chunk[kChunkLimit + 1] = {};
            DWORD length = 0;
            if (!ReadFile(encoderOutput, chunk, kChunkLimit, &length, nullptr)) return LogUnlessBroken("ReadFile");
            onChunk(chunk);
        } else {
            WaitForOutput(runningEncoder);
        }
        PumpMessages();
        if (cancelRequested) return;
    }
}

}  // namespace

ExitCode RunEncoder(char* commandLine, const EncoderChunkHandler& onChunk) {
    // Sized for this build, like the start-up structure (12 bytes is the 32-bit size).
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};

    HANDLE outputRead = nullptr, outputWrite = nullptr;
    if (!CreatePipe(&outputRead, &outputWrite, &inheritable, 0)) LogApiError("CreatePipe");
    // Standard error is a second handle on the output pipe: both reach the reader as one stream.
    HANDLE errorWrite = CopyHandle(outputWrite, TRUE, nullptr);
    HANDLE inputRead = nullptr, inputWrite = nullptr;
    if (!CreatePipe(&inputRead, &inputWrite, &inheritable, 0)) LogApiError("CreatePipe");

    encoderOutput = CopyHandle(outputRead, FALSE, INVALID_HANDLE_VALUE);
    encoderInput = CopyHandle(inputWrite, FALSE, INVALID_HANDLE_VALUE);
    CloseOwnCopy(outputRead);
    CloseOwnCopy(inputWrite);

    HANDLE encoder = LaunchRedirected(outputWrite, inputRead, errorWrite, commandLine);
    // Only the encoder holds the pipes' other ends now, so the output pipe breaks when it ends.
    CloseOwnCopy(outputWrite);
    CloseOwnCopy(inputRead);
    CloseOwnCopy(errorWrite);

    ReadEncoderOutput(encoder, onChunk);
    if (!encoder) return std::nullopt;
    WaitForEncoderEnd(encoder);
    DWORD exitCode = kEndedForHanging;
    GetExitCodeProcess(encoder, &exitCode);
    CloseHandle(encoder);
    return exitCode;
}

ExitCode RunHidden(char* commandLine) {
    // A pass that comes after Stop is not started: even ended at once, it
    // could create a file that the stop's clean-up has already passed.
    if (cancelRequested) return std::nullopt;
    STARTUPINFOA startup = HiddenStartup(STARTF_USESHOWWINDOW);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        return std::nullopt;
    }
    // Looks, dispatches, checks Stop, and only then sleeps until the process
    // ends or a message comes.
    while (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        PumpMessages();
        if (cancelRequested) {
            TerminateProcess(process.hProcess, 0);
            break;
        }
        MsgWaitForMultipleObjectsEx(1, &process.hProcess, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    WaitForSingleObject(process.hProcess, kEncoderEndTimeoutMs);  // a terminated process ends soon after
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

// Spent ends are marked INVALID_HANDLE_VALUE: a second call, or the read loop,
// must not touch a handle value that Windows may already have given to another object.
void StopEncoder() {
    if (encoderOutput != INVALID_HANDLE_VALUE) {
        CloseHandle(encoderOutput);
        encoderOutput = INVALID_HANDLE_VALUE;
    }
    if (encoderInput != INVALID_HANDLE_VALUE) {
        // Fails quietly when the encoder has already ended.
        DWORD written = 0;
        WriteFile(encoderInput, "q", 1, &written, nullptr);
        CloseHandle(encoderInput);
        encoderInput = INVALID_HANDLE_VALUE;
    }
}

void PumpMessages() { PumpWaitingMessages(); }

void AddToITunes(const char* outputPath) {
    char commandLine[MAX_PATH];
    const int length = std::snprintf(commandLine, sizeof commandLine, "VavuDuzuv \"%s\" ", outputPath);
    if (length < 0 || length >= static_cast<int>(sizeof commandLine)) return;

    STARTUPINFOA startup = {};
    GetStartupInfoA(&startup);
    startup.cb = sizeof startup;
    startup.wShowWindow = SW_HIDE;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) return;
    // The window keeps answering while the media library takes the file.
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        PumpMessages();
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}
