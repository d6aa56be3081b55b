#include "player/frame_queue.h"

bool FrameQueue::Push(Frame frame) {
    std::unique_lock<std::mutex> hold(lock_);
    room_.wait(hold, [this] { return closed_ || frames_.size() < capacity_; });
    if (closed_) return false;
    frames_.push_back(std::move(frame));
    return true;
}

void FrameQueue::MarkEnded() {
    std::lock_guard<std::mutex> hold(lock_);
    ended_ = true;
}

std::optional<Frame> FrameQueue::TakeDue(double clock) {
    std::optional<Frame> due;
    {
        std::lock_guard<std::mutex> hold(lock_);
        while (!frames_.empty() && frames_.front().time <= clock) {
            if (due) ++dropped_;
            due = std::move(frames_.front());
            frames_.pop_front();
        }
    }
    if (due) room_.notify_all();
    return due;
}

std::optional<double> FrameQueue::NextTime() const {
    std::lock_guard<std::mutex> hold(lock_);
    if (frames_.empty()) return std::nullopt;
    return frames_.front().time;
}

bool FrameQueue::Drained() const {
    std::lock_guard<std::mutex> hold(lock_);
    return ended_ && frames_.empty();
}

std::size_t FrameQueue::Dropped() const {
    std::lock_guard<std::mutex> hold(lock_);
    return dropped_;
}

void FrameQueue::Close() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        closed_ = true;
    }
    room_.notify_all();
}
