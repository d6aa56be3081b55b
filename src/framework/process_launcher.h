#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "framework/kernel_handle.h"

// The one way the program starts another program (the encoder, the hidden
// passes, the media-library helper, the player's runs). Every child:
// - gets the command line through the wide call, converted from UTF-8, so a
//   path in any script reaches it as written;
// - inherits its three standard handles and nothing else, so no child ever
//   holds another's pipe (a pipe's reader sees it break when its own writer
//   ends, whatever else runs);
// - runs hidden, without a console window;
// - belongs to the program's job, which the system ends together with the
//   program, so that nothing the program started outlives it.

// The standard handles a child gets; a missing one reads from or writes to
// NUL. The caller's handles need not be inheritable (better not: see above),
// and stay the caller's.
struct ChildStdio {
    HANDLE input = nullptr;
    HANDLE output = nullptr;
    HANDLE error = nullptr;
};

// A started program. Letting go of the object does not end the program.
class CChildProcess {
public:
    CChildProcess() = default;
    explicit CChildProcess(CKernelHandle process) : process_(std::move(process)) {}

    // False when the start failed (the last-error code of the start tells why).
    explicit operator bool() const { return static_cast<bool>(process_); }
    HANDLE Handle() const { return process_.Get(); }

    // Waits at most limitMs for the program to end; true once it has ended.
    bool Wait(DWORD limitMs) const;
    bool Ended() const { return Wait(0); }
    // Ends the program with the code and waits a bounded time until it has.
    void Terminate(UINT exitCode) const;
    // The exit code once ended; nothing while it runs or when it never started.
    std::optional<DWORD> ExitCode() const;

private:
    CKernelHandle process_;
};

// Starts the command. Safe from any thread.
CChildProcess StartProcess(const std::string& commandLine, const ChildStdio& stdio);

// A pipe whose ends are not inheritable, for a child's standard handles.
bool MakePipe(CKernelHandle& read, CKernelHandle& write);

// Processor time, in seconds, that the programs started so far have used (for
// measurements); 0 where the system keeps no account.
double ChildProcessesCpuSeconds();
