#include "cvenc/ffmpeg_process.h"

#include <vector>

#include "cvenc/ffmpeg_output.h"
#include "cvenc/standard_output.h"
#include "cvenc/stop_relay.h"
#include "cvenc/unique_handle.h"
#include "common/windows_text.h"

namespace {

// How long an FFmpeg whose output is complete may still take to end.
constexpr DWORD kEndingTime = 5000;

// How long to wait before the second try of a start that failed.
constexpr DWORD kRetryStartMs = 200;

struct InputPipe {
    UniqueHandle read;   // FFmpeg's end, inheritable
    UniqueHandle write;  // cvenc's end: private, so that closing it ends FFmpeg's input
};

bool MakeInputPipe(InputPipe& pipe) {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    return CreatePipe(pipe.read.Receive(), pipe.write.Receive(), &inheritable, 0) &&
           SetHandleInformation(pipe.write.Get(), HANDLE_FLAG_INHERIT, 0);
}

void ReportWithoutJob() { ReportError("FFmpeg will not end together with cvenc: " + SystemMessage(GetLastError())); }

UniqueHandle MakeKillOnCloseJob() {
    UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!job.IsValid() ||
        !SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        ReportWithoutJob();
        job.Close();
    }
    return job;
}

// Only the two pipe ends are inherited, not whatever cvenc itself inherited
// (such as the converter's pipe, which would otherwise stay open while FFmpeg runs).
class InheritedHandles {
public:
    InheritedHandles(HANDLE first, HANDLE second) : handles_{first, second} {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        storage_.resize(size);
        list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
        ready_ = InitializeProcThreadAttributeList(list_, 1, 0, &size) &&
                 UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_, sizeof handles_,
                                           nullptr, nullptr);
    }
    ~InheritedHandles() {
        if (ready_) DeleteProcThreadAttributeList(list_);
    }
    InheritedHandles(const InheritedHandles&) = delete;
    InheritedHandles& operator=(const InheritedHandles&) = delete;

    LPPROC_THREAD_ATTRIBUTE_LIST List() const { return ready_ ? list_ : nullptr; }

private:
    HANDLE handles_[2];
    std::vector<char> storage_;
    LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
    bool ready_ = false;
};

bool Fail(const std::string& what) {
    ReportError(what + ": " + SystemMessage(GetLastError()));
    return false;
}

// Started suspended so that it is in the job before it runs a single instruction.
bool StartInJob(const std::wstring& ffmpegPath, const std::wstring& commandLine, HANDLE input, HANDLE output,
                HANDLE job, UniqueHandle& process) {
    InheritedHandles inherited(input, output);
    STARTUPINFOEXW startup = {};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input;
    startup.StartupInfo.hStdOutput = output;
    startup.StartupInfo.hStdError = output;
    startup.lpAttributeList = inherited.List();
    // Without a console, so no console host holds FFmpeg's pipe ends after it ends.
    DWORD flags = DETACHED_PROCESS | CREATE_SUSPENDED;
    if (startup.lpAttributeList != nullptr) flags |= EXTENDED_STARTUPINFO_PRESENT;

    std::vector<wchar_t> writableLine(commandLine.begin(), commandLine.end());
    writableLine.push_back(L'\0');
    PROCESS_INFORMATION started = {};
    // Wine now and then fails a start on a busy system with an internal
    // error; a second try a moment later starts it.
    for (int attempt = 0;; ++attempt) {
        if (CreateProcessW(ffmpegPath.c_str(), writableLine.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                           &startup.StartupInfo, &started)) {
            break;
        }
        if (attempt > 0 || GetLastError() != ERROR_INTERNAL_ERROR) return Fail("cannot start " + ToUtf8(ffmpegPath));
        Sleep(kRetryStartMs);
    }
    process = UniqueHandle(started.hProcess);
    const UniqueHandle thread(started.hThread);
    // Windows 7 has no nested jobs: when cvenc already runs in one, FFmpeg
    // stays in that one instead, which still works, only without the guarantee.
    if (job != nullptr && !AssignProcessToJobObject(job, process.Get())) ReportWithoutJob();
    ResumeThread(thread.Get());
    return true;
}

}  // namespace

int RunFfmpeg(const std::wstring& ffmpegPath, const std::wstring& commandLine) {
    InputPipe input;
    OutputPipe output;
    if (!MakeInputPipe(input) || !MakeOutputPipe(output)) {
        Fail("cannot make the pipes to FFmpeg");
        return kCannotRunFfmpeg;
    }
    const UniqueHandle job = MakeKillOnCloseJob();
    UniqueHandle process;
    if (!StartInJob(ffmpegPath, commandLine, input.read.Get(), output.child.Get(), job.Get(), process)) {
        return kCannotRunFfmpeg;
    }
    input.read.Close();
    output.child.Close();

    StartStopRelay(std::move(input.write));
    ForwardOutput(output.own.Get(), process.Get());

    WaitForSingleObject(process.Get(), INFINITE);
    DWORD exitCode = kCannotRunFfmpeg;
    GetExitCodeProcess(process.Get(), &exitCode);
    return static_cast<int>(exitCode);
}

QuietRun RunFfmpegQuietly(const std::wstring& ffmpegPath, const std::wstring& commandLine, DWORD milliseconds) {
    QuietRun run;
    InputPipe input;
    OutputPipe output;
    if (!MakeInputPipe(input) || !MakeOutputPipe(output)) {
        Fail("cannot make the pipes to FFmpeg");
        return run;
    }
    const UniqueHandle job = MakeKillOnCloseJob();
    UniqueHandle process;
    if (!StartInJob(ffmpegPath, commandLine, input.read.Get(), output.child.Get(), job.Get(), process)) return run;
    input.read.Close();
    input.write.Close();  // nothing will come: a read sees the end at once
    output.child.Close();

    // The output ends when FFmpeg ends, or just before: the wait after it is short.
    const bool complete = CollectOutput(output.own.Get(), process.Get(), milliseconds, run.output);
    if (!complete || WaitForSingleObject(process.Get(), kEndingTime) != WAIT_OBJECT_0) {
        TerminateProcess(process.Get(), kCannotRunFfmpeg);
        return run;
    }
    DWORD exitCode = kCannotRunFfmpeg;
    run.finished = GetExitCodeProcess(process.Get(), &exitCode) != FALSE;
    run.exitCode = static_cast<int>(exitCode);
    return run;
}
