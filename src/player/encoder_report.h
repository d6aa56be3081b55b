#pragma once

#include <windows.h>

#include <string>

#include "player/media_report.h"

// Short runs of the encoder whose report the player needs before it can go
// on: what a file holds, and which encoders the build offers. A run that does
// not end within its time is ended, and its report is what it printed so far.
//
// On the user-interface thread the wait handles the window's painting (and
// nothing else, so no other call of the player can come in between); on a
// worker thread it just waits.
enum class ReportWait { PaintWhileWaiting, Block };

std::string RunForReport(const std::string& commandLine, bool errorOutput, DWORD timeoutMs, ReportWait wait);

// What the file holds, asked of the encoder once per file and version of the
// file (its size and time of writing); later asks are answered from memory.
// Safe from any thread.
MediaInfo ProbeMedia(const std::string& encoder, const std::string& source, ReportWait wait);
