#include "support/gdi_count.h"

#include <windows.h>

int CountGdiObjects() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported) return static_cast<int>(reported);
    // Wine answers 0 here. Its handles are slots of one table, and a handle
    // given without its generation (upper 16 bits) names whatever lives in the
    // slot, so probing every slot counts the live objects.
    int count = 0;
    for (ULONG_PTR slot = 1; slot < 0x10000; ++slot) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) ++count;
    }
    return count;
}

int GdiObjectsLeftBy(const std::function<void()>& cycle) {
    cycle();
    const int before = CountGdiObjects();
    cycle();
    return CountGdiObjects() - before;
}
