#include "player/player_process.h"

CPlayerProcess::~CPlayerProcess() { Cancel(); }

bool CPlayerProcess::Start(const std::string& commandLine, Output read, bool withInput) {
    std::lock_guard<std::mutex> hold(lock_);
    if (cancelled_ || process_) return false;

    CKernelHandle outputRead, outputWrite, inputRead, inputWrite;
    if (!MakePipe(outputRead, outputWrite)) return false;
    if (withInput && !MakePipe(inputRead, inputWrite)) return false;
    ChildStdio stdio;
    stdio.input = inputRead.Get();
    (read == Output::Standard ? stdio.output : stdio.error) = outputWrite.Get();
    process_ = StartProcess(commandLine, stdio);
    if (!process_) return false;
    // Only the run holds the other ends now (outputWrite and inputRead close
    // here): the output pipe breaks when it ends.
    output_ = std::move(outputRead);
    input_ = std::move(inputWrite);
    return true;
}

DWORD CPlayerProcess::Read(void* buffer, DWORD count) {
    DWORD got = 0;
    if (!output_ || !ReadFile(output_.Get(), buffer, count, &got, nullptr)) return 0;
    return got;
}

bool CPlayerProcess::ReadExactly(void* buffer, DWORD count) {
    auto* bytes = static_cast<char*>(buffer);
    while (count > 0) {
        const DWORD got = Read(bytes, count);
        if (got == 0) return false;
        bytes += got;
        count -= got;
    }
    return true;
}

bool CPlayerProcess::SendStop() {
    std::lock_guard<std::mutex> hold(lock_);
    if (!input_) return false;
    DWORD written = 0;
    WriteFile(input_.Get(), "q", 1, &written, nullptr);
    input_.Reset();
    return true;
}

void CPlayerProcess::Cancel() {
    std::lock_guard<std::mutex> hold(lock_);
    cancelled_ = true;
    process_.Terminate(1);
}

bool CPlayerProcess::Cancelled() const {
    std::lock_guard<std::mutex> hold(lock_);
    return cancelled_;
}

bool CPlayerProcess::Wait(DWORD milliseconds) { return process_.Wait(milliseconds); }

DWORD CPlayerProcess::ExitCode() const { return process_.ExitCode().value_or(STILL_ACTIVE); }
