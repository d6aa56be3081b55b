#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "player/media_report.h"

// Short runs of the encoder whose report the player needs before it can go
// on: what a file holds, and which encoders the build offers. A run that does
// not end within its time is ended, and its report is what it printed so far.
// They block the calling thread, so the window's thread never calls them: it
// asks a worker thread (media_probes.h) and hears the answer as a message.

// stop, when given, is an event that ends the run at once when set; the
// report is then what was printed so far.
std::string RunForReport(const std::string& commandLine, bool errorOutput, DWORD timeoutMs, HANDLE stop = nullptr);

// What the file holds, asked of the encoder once per file and version of the
// file (its size and time of writing); later asks are answered from memory.
// Safe from any thread.
MediaInfo ProbeMedia(const std::string& encoder, const std::string& source, HANDLE stop = nullptr);

// What an earlier probe found in this version of the file, without running
// anything; nothing when the file has not been read (or could not be).
std::optional<MediaInfo> KnownMedia(const std::string& source);
