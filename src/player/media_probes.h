#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "framework/kernel_handle.h"
#include "player/encoder_report.h"

// Reads what media files hold (length and streams) on worker threads, a few
// side by side, so that the window's thread never waits for the encoder. A
// finished probe is announced by a message posted to the window, carrying the
// probe's ticket; the window then takes the result. A probe that runs out of
// time is tried once more with a longer limit (encoder_report.h).
//
// Stop() (and the destructor) ends running probes at once and joins the
// threads, so the owner calls it before its window goes.
class CMediaProbes {
public:
    struct Result {
        std::string path;
        MediaInfo info;
        bool answered = false;  // as ProbedMedia::answered
    };

    explicit CMediaProbes(std::string encoder, ProbeLimits limits = {});
    ~CMediaProbes();
    CMediaProbes(const CMediaProbes&) = delete;
    CMediaProbes& operator=(const CMediaProbes&) = delete;

    // Where finished probes are announced: message, with wParam the ticket.
    void SetWindow(HWND window, UINT message);
    // Queues the file to be read; returns the ticket its message will carry.
    // A file already waiting keeps its place and ticket: one result serves
    // every row of it.
    WPARAM Start(const std::string& path);
    // Drops the waiting files no row waits for any more (a probe already
    // running ends as usual).
    void KeepWaiting(const std::set<std::string>& wanted);
    // The result for the ticket, handed out once; nothing before it is ready.
    std::optional<Result> Take(WPARAM ticket);
    // Ends every probe at once and joins the threads; no message comes after.
    void Stop();

private:
    struct Request {
        WPARAM ticket;
        std::string path;
    };
    void Work();

    const std::string encoder_;
    const ProbeLimits limits_;
    CKernelHandle stopEvent_;
    HWND window_ = nullptr;
    UINT message_ = 0;

    std::mutex lock_;
    std::condition_variable wake_;
    bool stopping_ = false;
    int idle_ = 0;
    WPARAM lastTicket_ = 0;
    std::deque<Request> queue_;
    std::map<WPARAM, Result> done_;
    std::vector<std::thread> workers_;
};
