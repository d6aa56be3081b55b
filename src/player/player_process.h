#pragma once

#include <windows.h>

#include <mutex>
#include <string>

#include "framework/kernel_handle.h"
#include "framework/process_launcher.h"

// One run of the encoder for the player, started by the program's launcher
// (hidden, ended with the program, holding only its own pipe ends). The
// program reads one of the run's outputs; the other goes to NUL.
//
// Start() and Cancel() may come from different threads: a run cancelled
// before it started is never started, and Cancel() returns once the run has
// ended, so whoever reads its pipe sees the pipe break.
class CPlayerProcess {
public:
    enum class Output { Standard, Error };

    CPlayerProcess() = default;
    ~CPlayerProcess();
    CPlayerProcess(const CPlayerProcess&) = delete;
    CPlayerProcess& operator=(const CPlayerProcess&) = delete;

    // withInput keeps a pipe to the run's standard input for SendStop();
    // otherwise its input is NUL. False when it was cancelled or could not start.
    bool Start(const std::string& commandLine, Output read, bool withInput);

    // Blocking reads from the chosen output. Read() gives 0 once the pipe has
    // broken; ReadExactly() fails when the output ends before count bytes.
    DWORD Read(void* buffer, DWORD count);
    bool ReadExactly(void* buffer, DWORD count);

    // Writes "q" (FFmpeg then finishes its file and ends) and closes the
    // input; false when the run has no input (yet, or any more).
    bool SendStop();

    // Ends the run at once, or keeps it from starting, and waits until it has ended.
    void Cancel();
    bool Cancelled() const;

    // Waits for the run to end; false on time-out. A run never started counts as ended.
    bool Wait(DWORD milliseconds);
    // The exit code once ended; STILL_ACTIVE while running or when never started.
    DWORD ExitCode() const;
    HANDLE Handle() const { return process_.Handle(); }

private:
    mutable std::mutex lock_;
    bool cancelled_ = false;
    CChildProcess process_;
    CKernelHandle output_;
    CKernelHandle input_;
};
