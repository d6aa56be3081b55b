#pragma once

#include <windows.h>

#include <functional>
#include <thread>

#include "framework/kernel_handle.h"

// A worker thread that can be told to stop. Its work waits on the stop signal
// instead of sleeping, so a stop request ends every wait at once. The owner
// calls Stop() before anything the work uses goes away; the destructor does it
// too.
class CWorkerThread {
public:
    // What the work is handed to pause with.
    class StopSignal {
    public:
        explicit StopSignal(HANDLE event) : event_(event) {}
        // Pauses for at most milliseconds; true when a stop was requested.
        bool WaitFor(DWORD milliseconds) const { return WaitForSingleObject(event_, milliseconds) == WAIT_OBJECT_0; }
        bool Requested() const { return WaitFor(0); }

    private:
        HANDLE event_;
    };

    CWorkerThread();
    ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts the work on a new thread after stopping any earlier one. False
    // when no thread could be made.
    bool Start(std::function<void(const StopSignal&)> work);

    // Asks the work to stop and waits until the thread has ended.
    void Stop();

    // True from Start() until Stop(), even once the work has returned by itself.
    bool Running() const { return thread_.joinable(); }

private:
    CKernelHandle stopEvent_;
    std::thread thread_;
};
