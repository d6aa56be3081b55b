#pragma once

// What the benchmarks of the main window share: handling messages as the
// window's own loop would, and timing how long posted input waits.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/message_loop.h"

// Handles messages for a while, as the window's own loop would.
inline void HandleMessagesFor(DWORD ms) {
    const DWORD start = GetTickCount();
    for (DWORD waited = 0; waited < ms; waited = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - waited, QS_ALLINPUT);
        PumpMessages();
    }
}

inline double NowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Mouse moves posted to the window every 10 ms from another thread, as the
// system posts input, each timed from its posting until the window handles
// it. (A sent message would be answered inside any wait and show nothing.)
class InputWaits {
public:
    explicit InputWaits(HWND window) : window_(window) {
        SetWindowSubclass(window_, Handled, 1, reinterpret_cast<DWORD_PTR>(this));
        poster_ = std::thread([this] {
            while (posting_) {
                {
                    std::lock_guard<std::mutex> hold(lock_);
                    posted_.push_back(NowMs());
                    handled_.push_back(-1.0);
                }
                PostMessageA(window_, WM_MOUSEMOVE, 0, MAKELPARAM(kMarkX, posted_.size() - 1));
                Sleep(10);
            }
        });
    }
    ~InputWaits() { RemoveWindowSubclass(window_, Handled, 1); }

    // Stops posting, handles what is still waiting, and prints the waits.
    void Report(const char* what) {
        posting_ = false;
        poster_.join();
        HandleMessagesFor(200);
        std::vector<double> waits;
        for (std::size_t n = 0; n < posted_.size(); ++n) {
            waits.push_back((handled_[n] >= 0.0 ? handled_[n] : NowMs()) - posted_[n]);
        }
        std::sort(waits.begin(), waits.end());
        if (waits.empty()) return;
        std::printf(
            "input wait %-22s median %.1f ms, 99th %.1f ms, longest %.1f ms (%zu moves; target: none over 50)\n", what,
            waits[waits.size() / 2], waits[waits.size() * 99 / 100], waits.back(), waits.size());
    }

private:
    static constexpr int kMarkX = 7777;
    static LRESULT CALLBACK Handled(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
        if (message == WM_MOUSEMOVE && GET_X_LPARAM(lParam) == kMarkX) {
            auto& waits = *reinterpret_cast<InputWaits*>(self);
            std::lock_guard<std::mutex> hold(waits.lock_);
            const std::size_t n = static_cast<std::size_t>(GET_Y_LPARAM(lParam));
            if (n < waits.handled_.size() && waits.handled_[n] < 0.0) waits.handled_[n] = NowMs();
            return 0;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    HWND window_;
    std::mutex lock_;
    std::vector<double> posted_, handled_;
    std::atomic<bool> posting_{true};
    std::thread poster_;
};
