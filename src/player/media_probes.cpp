#include "player/media_probes.h"

#include <algorithm>

namespace {

// Each probe is a run of the encoder; more side by side only make each slower.
constexpr std::size_t kSideBySide = 3;

}  // namespace

CMediaProbes::CMediaProbes(std::string encoder, ProbeLimits limits)
    : encoder_(std::move(encoder)), limits_(limits), stopEvent_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

CMediaProbes::~CMediaProbes() { Stop(); }

void CMediaProbes::SetWindow(HWND window, UINT message) {
    std::lock_guard<std::mutex> hold(lock_);
    window_ = window;
    message_ = message;
}

WPARAM CMediaProbes::Start(const std::string& path) {
    std::lock_guard<std::mutex> hold(lock_);
    for (const Request& waiting : queue_) {
        if (waiting.path == path) return waiting.ticket;
    }
    const WPARAM ticket = ++lastTicket_;
    if (stopping_) return ticket;
    queue_.push_back({ticket, path});
    if (idle_ == 0 && workers_.size() < kSideBySide) {
        workers_.emplace_back([this] { Work(); });
    } else {
        wake_.notify_one();
    }
    return ticket;
}

void CMediaProbes::KeepWaiting(const std::set<std::string>& wanted) {
    std::lock_guard<std::mutex> hold(lock_);
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                [&](const Request& waiting) { return wanted.count(waiting.path) == 0; }),
                 queue_.end());
}

std::optional<CMediaProbes::Result> CMediaProbes::Take(WPARAM ticket) {
    std::lock_guard<std::mutex> hold(lock_);
    const auto found = done_.find(ticket);
    if (found == done_.end()) return std::nullopt;
    Result result = std::move(found->second);
    done_.erase(found);
    return result;
}

void CMediaProbes::Stop() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
        queue_.clear();
    }
    if (stopEvent_) SetEvent(stopEvent_.Get());
    wake_.notify_all();
    for (std::thread& worker : workers_) worker.join();
    workers_.clear();
}

void CMediaProbes::Work() {
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
        ++idle_;
        wake_.wait(hold, [this] { return stopping_ || !queue_.empty(); });
        --idle_;
        if (stopping_) return;
        const Request request = queue_.front();
        queue_.pop_front();
        hold.unlock();
        const ProbedMedia probed = ProbeMedia(encoder_, request.path, stopEvent_.Get(), limits_);
        hold.lock();
        if (stopping_) return;
        done_[request.ticket] = {request.path, probed.info, probed.answered};
        if (window_) PostMessageA(window_, message_, request.ticket, 0);
    }
}
