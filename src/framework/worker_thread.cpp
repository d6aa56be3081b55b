#include "framework/worker_thread.h"

#include <system_error>

CWorkerThread::CWorkerThread() : stopEvent_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

CWorkerThread::~CWorkerThread() { Stop(); }

bool CWorkerThread::Start(std::function<void(const StopSignal&)> work) {
    Stop();
    if (!stopEvent_ || !work) return false;
    ResetEvent(stopEvent_.Get());
    try {
        thread_ = std::thread([work = std::move(work), signal = StopSignal(stopEvent_.Get())] {
            try {
                work(signal);
            } catch (...) {
            }
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CWorkerThread::Stop() {
    if (!thread_.joinable()) return;
    SetEvent(stopEvent_.Get());
    thread_.join();
}
