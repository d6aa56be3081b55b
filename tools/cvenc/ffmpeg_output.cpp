#include "cvenc/ffmpeg_output.h"

#include <string>

#include "cvenc/output_filter.h"
#include "cvenc/standard_output.h"

namespace {

constexpr DWORD kReadSize = 4096;

std::wstring UniquePipeName() {
    static LONG made = 0;
    return L"\\\\.\\pipe\\cvenc-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(InterlockedIncrement(&made));
}

// One read of at most kReadSize bytes; false when the output is complete or
// the time given is up.
class OutputReader {
public:
    OutputReader(HANDLE pipe, HANDLE process, DWORD milliseconds = INFINITE)
        : pipe_(pipe),
          process_(process),
          readDone_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          limited_(milliseconds != INFINITE),
          deadline_(GetTickCount64() + milliseconds) {}

    bool Read(char* bytes, DWORD& count) {
        OVERLAPPED read = {};
        read.hEvent = readDone_.Get();
        if (!ReadFile(pipe_, bytes, kReadSize, nullptr, &read) && GetLastError() != ERROR_IO_PENDING) {
            return false;  // every writer has closed the pipe
        }
        if (!ffmpegEnded_) {
            const HANDLE events[] = {readDone_.Get(), process_};
            const DWORD waited = WaitForMultipleObjects(2, events, FALSE, Remaining());
            ffmpegEnded_ = waited == WAIT_OBJECT_0 + 1;
            timedOut_ = waited == WAIT_TIMEOUT;
        }
        // FFmpeg's writes were all in the pipe before it ended, so a read that
        // still waits now, with nothing left to read, would wait for others.
        const bool nothingMoreComes = ffmpegEnded_ && !HasBytesWaiting();
        if ((timedOut_ || nothingMoreComes) && !HasOverlappedIoCompleted(&read)) CancelIo(pipe_);
        // Waits for the read to complete or be cancelled: it writes into `read` and `bytes`.
        return GetOverlappedResult(pipe_, &read, &count, TRUE) && count > 0 && !timedOut_;
    }

    bool TimedOut() const { return timedOut_; }

private:
    bool HasBytesWaiting() const {
        DWORD waiting = 0;
        return PeekNamedPipe(pipe_, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0;
    }

    DWORD Remaining() const {
        if (!limited_) return INFINITE;
        const ULONGLONG now = GetTickCount64();
        return now >= deadline_ ? 0 : static_cast<DWORD>(deadline_ - now);
    }

    HANDLE pipe_;
    HANDLE process_;
    UniqueHandle readDone_;
    bool limited_;
    ULONGLONG deadline_;
    bool ffmpegEnded_ = false;
    bool timedOut_ = false;
};

}  // namespace

bool MakeOutputPipe(OutputPipe& pipe) {
    const std::wstring name = UniquePipeName();
    pipe.own = UniqueHandle(
        CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                         PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, kReadSize,
                         kReadSize, 0, nullptr));
    if (!pipe.own.IsValid()) return false;
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    pipe.child = UniqueHandle(
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return pipe.child.IsValid();
}

void ForwardOutput(HANDLE ownEnd, HANDLE ffmpegProcess) {
    OutputFilter filter(WriteToOutput, WriteToError);
    OutputReader reader(ownEnd, ffmpegProcess);
    char bytes[kReadSize];
    DWORD count = 0;
    while (reader.Read(bytes, count)) filter.Feed({bytes, count});
    filter.Finish();
}

bool CollectOutput(HANDLE ownEnd, HANDLE ffmpegProcess, DWORD milliseconds, std::string& output) {
    OutputReader reader(ownEnd, ffmpegProcess, milliseconds);
    char bytes[kReadSize];
    DWORD count = 0;
    while (reader.Read(bytes, count)) output.append(bytes, count);
    return !reader.TimedOut();
}
