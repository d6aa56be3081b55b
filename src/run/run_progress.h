#pragma once

#include <string>

// How far a whole run has come, for the window's title and its taskbar
// button: "Clipvane - 2 of 5, 40%", and once it can be told, the time left
// (", 1:20 left"), estimated from the time so far and the share done.
// Portable: no <windows.h>.
struct RunProgress {
    int total = 0;              // the items the run converts
    int ended = 0;              // of them, those that have ended however they ended
    int running = 0;            // of them, those converting now
    double runningPercent = 0;  // the running items' Progress bars added up, 0 to 100 each
    double elapsedSeconds = 0;  // since the run started

    // The share of the whole run done, 0 to 100.
    int Percent() const;
    // Nothing is estimated before the run has gone on for a few seconds and
    // done a few percent: the first moments say little about the rest.
    bool KnowsTimeLeft() const;
    std::string Title() const;
};
