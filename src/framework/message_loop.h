#pragma once

#include <windows.h>

// Every message loop of the program (the application's, a user-interface
// thread's, a modal dialog's) takes messages through PumpMessage(), so that
// each message is first offered to PreTranslateMessage() of the window objects
// from its target window up through its parents to the top-level window, then
// to the keyboard handling of the dialog it belongs to, and only then
// translated and dispatched.

// Waits for and handles one message of this thread's queue. Returns false
// when the message was WM_QUIT, with its exit code in quitCode.
bool PumpMessage(int& quitCode);

// Handles every message already in this thread's queue, each as PumpMessage()
// does, and returns without waiting. Every wait inside a long call (a
// conversion run, an export) comes here when it wakes (through WaitTurn), so
// tooltips, double clicks and the dialog's keys work there as in the modal loop. A WM_QUIT is
// put back for the loop outside.
void PumpMessages();

// Handles messages until WM_QUIT and returns its exit code.
int RunMessageLoop();

// Offers a message to PreTranslateMessage() from its target up to the
// top-level window; true when one of them consumed it.
bool PreTranslateChain(MSG& message);
