#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "framework/kernel_handle.h"
#include "player/player_process.h"

// The sound of a playback: a run of the encoder decodes the range to PCM and
// a thread of its own hands it to the system's wave output. The output is
// opened paused and filled ahead, so that sound and pictures start together
// when the playback starts it; its position is the playback's best clock.
class CSoundOutput {
public:
    CSoundOutput() = default;
    ~CSoundOutput();
    CSoundOutput(const CSoundOutput&) = delete;
    CSoundOutput& operator=(const CSoundOutput&) = delete;

    // Opens the default output device, paused, and starts decoding. False when
    // there is no device (as on a machine without a sound card).
    bool Open(const std::string& soundCommand);

    // True once enough sound is queued to start, or the sound has ended early.
    bool Ready() const { return ready_; }
    // Starts the sound.
    void Play();
    // Seconds played since Play(); negative when the device cannot tell.
    double Position() const;
    // True once the decoder's sound has all been handed to the device.
    bool Ended() const { return ended_; }

    // Silences the device at once and ends the decoder and the thread.
    void Close();

private:
    void Feed();

    HWAVEOUT device_ = nullptr;
    CKernelHandle bufferDone_;
    CKernelHandle stop_;
    CPlayerProcess decoder_;
    std::thread feeder_;
    std::atomic<bool> ready_{false};
    std::atomic<bool> ended_{false};
};
