#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <utility>

// Runs check on a timer of this thread, inside whatever loop runs then (a
// run's wait, a dialog's own), until it returns true; done tells whether it did.
class Poll {
public:
    Poll(UINT period, std::function<bool()> check)
        : check_(std::move(check)), timer_(SetTimer(nullptr, 0, period, Tick)) {
        polls_[timer_] = this;
    }
    ~Poll() { Stop(); }
    Poll(const Poll&) = delete;
    Poll& operator=(const Poll&) = delete;
    bool done = false;

private:
    void Stop() {
        if (timer_ && KillTimer(nullptr, timer_)) polls_.erase(timer_);
        timer_ = 0;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
        const auto found = polls_.find(timer);
        if (found == polls_.end() || !found->second->check_()) return;
        found->second->done = true;
        found->second->Stop();
    }
    static inline std::map<UINT_PTR, Poll*> polls_;
    std::function<bool()> check_;
    UINT_PTR timer_;
};
