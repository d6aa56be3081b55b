#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// Handles this thread's messages until done() holds; gives up after the
// timeout (a test that needs longer has hung) and returns false.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// Posts the messages, then handles messages until everything posted to window
// before this call has been handled.
void PostAndHandle(HWND window, const std::vector<MSG>& messages);
