#pragma once

#include <windows.h>

// The player's events, posted to its owner window (never sent, and never
// from inside one of the player's own calls), so the owner handles them from
// its message loop like any other message.

// PlayComplete: one after every Run(), however it ended. No parameters.
constexpr UINT WM_PLAYER_PLAYCOMPLETE = WM_APP + 0x0B40;
// ExportProgress: wParam the position and lParam the range's length, both in
// milliseconds of the range.
constexpr UINT WM_PLAYER_EXPORTPROGRESS = WM_APP + 0x0B41;
// ExportFinished: one after every export that ExportTo() started; wParam is
// the ExportResult (export_run.h).
constexpr UINT WM_PLAYER_EXPORTFINISHED = WM_APP + 0x0B42;
