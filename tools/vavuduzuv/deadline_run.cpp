#include "vavuduzuv/deadline_run.h"

#include <future>
#include <memory>
#include <thread>
#include <utility>

std::optional<int> RunWithin(std::chrono::milliseconds limit, std::function<int()> work) {
    // The task is shared with the thread so that it outlives this call when
    // the limit passes first.
    auto task = std::make_shared<std::packaged_task<int()>>(std::move(work));
    std::future<int> result = task->get_future();
    std::thread worker([task] { (*task)(); });
    if (result.wait_for(limit) != std::future_status::ready) {
        worker.detach();
        return std::nullopt;
    }
    // Work that finished leaves no thread behind: under Wine a thread started
    // while a detached one is still ending could stall before its first step.
    worker.join();
    return result.get();
}
