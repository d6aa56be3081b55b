#include "main/splash_thread.h"

CSplashThread::CSplashThread() : startingThread_(GetCurrentThreadId()) {}

CSplashThread::~CSplashThread() { Close(0); }

void CSplashThread::Close(DWORD waitMs) {
    if (WaitUntilStarted(waitMs)) {
        const HWND window = window_;
        if (window) SendMessageA(window, WM_CLOSE, 0, 0);
    }
    // Ends the thread also when its window never came up, or came up too late.
    PostQuit();
    // No window of the starting thread may appear while the two threads still
    // share their input: the splash thread detaches as it ends.
    Join();
}

bool CSplashThread::InitInstance() {
    AttachThreadInput(GetCurrentThreadId(), startingThread_, TRUE);
    dialog_ = std::make_unique<CSplashDialog>();
    if (!dialog_->CreateModeless(nullptr)) return false;
    ShowWindow(dialog_->Handle(), SW_SHOW);
    UpdateWindow(dialog_->Handle());
    window_ = dialog_->Handle();
    return true;
}

void CSplashThread::ExitInstance() {
    window_ = nullptr;
    if (dialog_ && dialog_->Handle()) DestroyWindow(dialog_->Handle());
    dialog_.reset();
    AttachThreadInput(GetCurrentThreadId(), startingThread_, FALSE);
}
