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

struct EncoderReport {
    std::string text;
    // The run ended by itself, neither cut by its time nor stopped: the text
    // is all it had to say.
    bool finished = false;
};

// stop, when given, is an event that ends the run at once when set; the
// report is then what was printed so far.
EncoderReport RunForReport(const std::string& commandLine, bool errorOutput, DWORD timeoutMs, HANDLE stop = nullptr);

// How long a file's reading may take. Opening a file takes FFmpeg a fraction
// of a second, but a freshly copied encoder that the virus scanner reads
// first, or a busy system, can hold the first try far longer; the second
// try is given the time such a wait needs.
struct ProbeLimits {
    DWORD firstMs = 10000;
    DWORD retryMs = 60000;
};

struct ProbedMedia {
    MediaInfo info;
    // FFmpeg finished its report: info is what the file holds, nothing at all
    // for a file it cannot read. Otherwise no try ended in time (or the
    // encoder never started), which says nothing about the file.
    bool answered = false;
};

// What the file holds, asked of the encoder once per file and version of the
// file (its size and time of writing); later asks are answered from memory.
// Safe from any thread.
ProbedMedia ProbeMedia(const std::string& encoder, const std::string& source, HANDLE stop = nullptr,
                       ProbeLimits limits = {});

// What an earlier probe found in this version of the file, without running
// anything; nothing when the file has not been read (or could not be).
std::optional<MediaInfo> KnownMedia(const std::string& source);
