#pragma once

#include <windows.h>

#include <string>
#include <thread>

#include "player/frame_queue.h"
#include "player/player_process.h"

// Reads the frames of one run of the encoder (24-bit pixels of a fixed size,
// at a constant rate) into a frame queue on a thread of its own, and posts a
// message to the player's window when the first frame is queued and when the
// frames have ended, so the window looks at once rather than at its next tick.
class CPictureReader {
public:
    struct Wake {
        HWND window;
        UINT message;
        WPARAM serial;
    };

    CPictureReader(FrameQueue& frames, std::size_t frameBytes, double frameRate, Wake wake)
        : frames_(frames), frameBytes_(frameBytes), frameRate_(frameRate), wake_(wake) {}
    ~CPictureReader() { Stop(); }
    CPictureReader(const CPictureReader&) = delete;
    CPictureReader& operator=(const CPictureReader&) = delete;

    void Start(const std::string& commandLine);
    // Ends the run and the thread; the window may then go.
    void Stop();

private:
    void Read(const std::string& commandLine);

    FrameQueue& frames_;
    const std::size_t frameBytes_;
    const double frameRate_;
    const Wake wake_;
    CPlayerProcess decoder_;
    std::thread thread_;
};
