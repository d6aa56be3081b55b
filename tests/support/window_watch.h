#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Waits until another process shows a top-level window that `wanted`
// accepts: the hand-shake with a program under test that tells nobody when
// its window is up. Wine sends no window events across processes, so this
// looks every stepMs milliseconds, and wakes at once when the process ends.
// Returns the window, or null when the process ended first or the limit
// passed (a guard against a hang, not a measure of time).
HWND WaitForShownWindow(HANDLE process, DWORD processId, const std::function<bool(HWND)>& wanted, DWORD limitMs,
                        DWORD stepMs = 10);

// What RunAndAnswer saw.
struct AnsweredRun {
    std::string message;      // the static texts of the window it answered
    int visibleWindows = -1;  // the program's visible top-level windows at that moment
    DWORD exitCode = 999;
};

// Starts a program, waits for the first window that `wanted` accepts, reads
// it, closes it (a message box takes that as OK) and waits for the program to
// end (ending it after the limit, a guard against a hang, not a measure of
// time). A program that shows no such window is just waited for.
AnsweredRun RunAndAnswer(std::string commandLine, const std::function<bool(HWND)>& wanted, DWORD limitMs);

// True for a visible dialog window (the system's dialog class).
bool IsShownDialog(HWND window);

// The texts of a window's static controls, joined: what a message box says.
std::string StaticTextOf(HWND window);
