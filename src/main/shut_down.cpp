#include "main/shut_down.h"

#include <windows.h>

#include "controls/skin_message_box.h"
#include "framework/kernel_handle.h"

namespace {

bool EnableShutdownPrivilege() {
    CKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive())) return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) != FALSE;
    if (enabled) {
        SetLastError(ERROR_SUCCESS);
        AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
        enabled = GetLastError() == ERROR_SUCCESS;
    }
    return enabled;
}

}  // namespace

void CSystemShutDown::ShutDownComputer() {
    if (!EnableShutdownPrivilege()) {
        SkinMessageBox("Your computer cannot shutdown", "Warning", MB_ICONHAND);
        return;
    }
    ExitWindowsEx(EWX_POWEROFF | EWX_FORCEIFHUNG, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_FLAG_PLANNED);
}
