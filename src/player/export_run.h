#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "player/player_process.h"

// How an export ended, as ExportFinished tells its owner.
enum class ExportResult : int {
    Finished = 0,  // the whole range is in the file
    Failed = 1,    // the encoder could not start, failed, or wrote nothing
    Stopped = 2,   // ended on request before the range's end
    Stalled = 3,   // no progress within the player's limit: ended, its file deleted
};

// One export: a run of the encoder on a thread of its own that reads the
// run's progress and posts it to the player's window, and posts once more
// when the run has ended, with its result.
class CExportRun {
public:
    struct Messages {
        HWND window;
        UINT progress;  // wParam serial, lParam milliseconds of the range written
        UINT ended;     // wParam serial, lParam ExportResult
        WPARAM serial;
    };

    CExportRun(std::string output, double total, Messages messages)
        : output_(std::move(output)), totalMs_(total * 1000.0), messages_(messages) {}
    ~CExportRun() { Abandon(); }
    CExportRun(const CExportRun&) = delete;
    CExportRun& operator=(const CExportRun&) = delete;

    void Start(const std::string& commandLine);
    // Asks the encoder to finish the file early ("q"): the file stays valid.
    void Stop();
    // Ends the encoder at once and waits for the thread; the file may be half
    // written, for the caller to delete.
    void Abandon();

private:
    void Run(const std::string& commandLine);

    const std::string output_;
    const double totalMs_;
    const Messages messages_;
    CPlayerProcess encoder_;
    std::atomic<bool> stopAsked_{false};
    std::thread thread_;
};
