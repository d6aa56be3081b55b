#pragma once

#include <windows.h>

// The panel's combo boxes, reached through their messages: the skinned combo
// keeps its items and selection in the system's combo box beneath it.

int ComboCount(HWND combo);
int ComboSelection(HWND combo);
// Selects an item the combo has; any other index leaves the combo as it was.
void ComboSelect(HWND combo, int item);
void ComboFill(HWND combo, const char* const* texts, int count);
