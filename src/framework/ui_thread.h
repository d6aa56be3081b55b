#pragma once

#include <windows.h>

#include <atomic>

#include "framework/kernel_handle.h"

// A thread with windows of its own and a message loop (see message_loop.h).
// InitInstance() runs first on the new thread and creates its windows; when it
// returns true the thread handles messages until WM_QUIT; ExitInstance() runs
// last, still on the thread, and cleans up what InitInstance() made.
//
// The owner starts the thread, may wait until InitInstance() has returned
// (WaitUntilStarted), asks it to end by posting WM_QUIT or by a message to one
// of its windows, and joins it. A derived class joins in its own destructor,
// since the thread calls its virtual functions.
class CUiThread {
public:
    CUiThread() = default;
    // Asks a thread that still runs to quit and waits for it.
    virtual ~CUiThread();
    CUiThread(const CUiThread&) = delete;
    CUiThread& operator=(const CUiThread&) = delete;

    // Creates the thread suspended, with normal priority and the default stack,
    // and then resumes it. False when the thread could not be made.
    bool Start();

    // True once InitInstance() has returned on the thread, waiting at most
    // timeoutMs for it; false when the thread never started or did not get
    // that far in time.
    bool WaitUntilStarted(DWORD timeoutMs) const;

    DWORD ThreadId() const { return threadId_; }

    // Asks the thread to end: WM_QUIT for its loop, or, when it has not got
    // that far, no loop at all. Harmless when it has ended.
    void PostQuit();

    // Waits until the thread has ended; harmless when it never started.
    void Join();

protected:
    // On the thread. False ends the thread at once (ExitInstance still runs).
    virtual bool InitInstance() = 0;
    virtual void ExitInstance() {}

private:
    static DWORD WINAPI ThreadMain(void* self);

    CKernelHandle thread_;
    CKernelHandle started_;
    DWORD threadId_ = 0;
    std::atomic<bool> quitRequested_{false};
};
