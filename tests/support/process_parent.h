#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <tlhelp32.h>

// The process that started the given one, from a snapshot of all processes;
// 0 when it is not there.
inline DWORD ParentOf(DWORD processId) {
    DWORD parent = 0;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == processId) parent = entry.th32ParentProcessID;
    }
    CloseHandle(snapshot);
    return parent;
}
