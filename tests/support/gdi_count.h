#pragma once

#include <functional>

// The number of GDI objects this process holds, for tests that create and
// destroy controls and expect the count to come back.
int CountGdiObjects();

// How many GDI objects a second run of cycle leaves behind (0 when it frees
// all it made): the first run pays for what the system makes on first use
// and keeps, such as its caches and the icons it loads once.
int GdiObjectsLeftBy(const std::function<void()>& cycle);
