#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

// Decoded frames on their way from the reader thread to the window. The
// reader blocks while the queue is full, which in turn holds the decoder
// back; the window takes what is due without ever waiting. Closing wakes a
// blocked reader and refuses further frames, so the reader can always be
// joined.
struct Frame {
    double time = 0.0;  // seconds from the start of the playback
    std::vector<std::uint8_t> pixels;
};

class FrameQueue {
public:
    explicit FrameQueue(std::size_t capacity) : capacity_(capacity > 0 ? capacity : 1) {}

    // Reader side: waits for room; false once the queue is closed.
    bool Push(Frame frame);
    // Reader side: no more frames will come.
    void MarkEnded();

    // Window side: the latest frame due at the clock, dropping the due frames
    // before it (they are late); nothing when no frame is due yet.
    std::optional<Frame> TakeDue(double clock);
    // Window side: the time of the next frame, if one is waiting.
    std::optional<double> NextTime() const;
    // True once the reader has ended and every frame is taken.
    bool Drained() const;
    std::size_t Dropped() const;

    // Either side: wakes and refuses the reader.
    void Close();

private:
    const std::size_t capacity_;
    mutable std::mutex lock_;
    std::condition_variable room_;
    std::deque<Frame> frames_;
    bool closed_ = false;
    bool ended_ = false;
    std::size_t dropped_ = 0;
};
