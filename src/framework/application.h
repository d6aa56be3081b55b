#pragma once

#include <windows.h>

// The program's application object. WinMain makes one and calls Run(), which
// prepares the common controls, calls InitInstance() and, when that returns
// true, runs the message loop until WM_QUIT; ExitInstance() is called last.
// A program whose whole life is one modal dialog returns false from
// InitInstance() after the dialog ends, and so never enters the loop.
class CApplication {
public:
    CApplication();
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // The process exit code.
    int Run();

    // The application object of this process, or null before one exists.
    static CApplication* Current();

    // The window that modal windows opened without an owner belong to.
    HWND MainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }

protected:
    virtual bool InitInstance() = 0;
    // Called with the exit code the program would end with; returns the one it ends with.
    virtual int ExitInstance(int exitCode) { return exitCode; }

private:
    HWND mainWindow_ = nullptr;
};

// The module that holds the program's resources (dialog templates, icons, bitmaps).
HINSTANCE ResourceModule();

// The owner of a modal window opened without one: the application's main
// window, or none when there is no application object or no main window yet.
HWND DefaultOwner();
