#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

// A button of the main window as the engine meets it: a message-only window
// whose WM_APP, posted by a pass's program or another thread, is dispatched by
// the run's own wait and runs the handler, as the stop button or a click on
// the panel would inside a run.
class MessageButton {
public:
    explicit MessageButton(std::function<void()> onClick) : onClick_(std::move(onClick)) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ClipvaneTestButton";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("ClipvaneTestButton", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~MessageButton() { DestroyWindow(window_); }
    MessageButton(const MessageButton&) = delete;
    MessageButton& operator=(const MessageButton&) = delete;

    HWND Window() const { return window_; }
    // The window as a number, for a program's "--post" argument.
    std::string Handle() const { return std::to_string(reinterpret_cast<unsigned long long>(window_)); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* button = reinterpret_cast<MessageButton*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_APP && button != nullptr) {
            button->onClick_();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    std::function<void()> onClick_;
    HWND window_ = nullptr;
};
