#pragma once

#include <windows.h>

// The panel's combo boxes and list box, reached through their messages, so
// that the same calls serve the system's controls and the skinned ones that
// answer those messages.

int ComboCount(HWND combo);
int ComboSelection(HWND combo);
// Selects an item the combo has; any other index leaves the combo as it was.
void ComboSelect(HWND combo, int item);
void ComboFill(HWND combo, const char* const* texts, int count);

int ListCount(HWND list);
int ListSelection(HWND list);
