#pragma once

// The number of GDI objects this process holds, for tests that create and
// destroy controls and expect the count to come back.
int CountGdiObjects();
