#pragma once

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// A program started with pipes on all three standard handles, as the
// converter starts its encoders, whose output is collected while it runs.
class ChildProcess {
public:
    explicit ChildProcess(const std::string& commandLine);
    ~ChildProcess() { Finish(0); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }

    void Send(const std::string& text);
    void CloseInput();

    // Waits until the standard output collected so far satisfies `enough`.
    bool WaitForOutput(const std::function<bool(const std::string&)>& enough, DWORD milliseconds);

    // Waits for the program to end, terminates it if it still runs after the
    // wait, then collects the rest of its output. The exit code, or -1 when
    // it had to be terminated.
    long Finish(DWORD milliseconds);

    std::string Output();
    std::string Errors();

private:
    long Wait(DWORD milliseconds);
    void Collect(HANDLE pipe, std::string& into);

    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    HANDLE input_ = nullptr;
    std::thread outputReader_;
    std::thread errorReader_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string output_;
    std::string errors_;
};

// Runs with its input closed to the end, or for at most the given time.
struct Finished {
    long exitCode;
    std::string output;
    std::string errors;
};
Finished RunToEnd(const std::string& commandLine, DWORD milliseconds = 30000);
