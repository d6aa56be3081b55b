#include "framework/process_launcher.h"

#include <mutex>
#include <vector>

#include "common/windows_text.h"

namespace {

// A terminated program is gone within milliseconds; this only bounds a system that refuses.
constexpr DWORD kTerminateWaitMs = 5000;

// Wine now and then fails a start on a busy system with an internal error; a
// second try a moment later starts it.
constexpr DWORD kRetryStartMs = 200;

// Every program the program starts belongs to this job. When the program
// ends, however it ends, the system closes the job's handle and ends them.
HANDLE ProgramJob() {
    static const CKernelHandle job = [] {
        CKernelHandle created(CreateJobObjectW(nullptr, nullptr));
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (created) SetInformationJobObject(created.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return created;
    }();
    return job.Get();
}

// Inheritable copies of handles exist only inside a start, and starts are
// taken one at a time: a system that ignores the handle list passes a child
// every inheritable handle, and a start on another thread must not find
// this start's copies.
std::mutex startLock;

CKernelHandle InheritableCopy(HANDLE handle) {
    CKernelHandle copy;
    const HANDLE self = GetCurrentProcess();
    DuplicateHandle(self, handle, self, copy.Receive(), 0, TRUE, DUPLICATE_SAME_ACCESS);
    return copy;
}

CKernelHandle InheritableNul(DWORD access) {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    return CKernelHandle(
        CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr));
}

CKernelHandle ChildHandle(HANDLE given, DWORD nulAccess) {
    return given ? InheritableCopy(given) : InheritableNul(nulAccess);
}

// The list that tells the system which handles the child inherits.
class CInheritList {
public:
    explicit CInheritList(const HANDLE (&handles)[3]) {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        storage_.resize(size);
        list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
        ready_ = size > 0 && InitializeProcThreadAttributeList(list_, 1, 0, &size);
        if (ready_ && !UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                                                 const_cast<HANDLE*>(handles), sizeof handles, nullptr, nullptr)) {
            DeleteProcThreadAttributeList(list_);
            ready_ = false;
        }
    }
    ~CInheritList() {
        if (ready_) DeleteProcThreadAttributeList(list_);
    }
    CInheritList(const CInheritList&) = delete;
    CInheritList& operator=(const CInheritList&) = delete;

    // Nothing where the system has no such list; the start lock still keeps
    // other starts' copies away.
    LPPROC_THREAD_ATTRIBUTE_LIST List() const { return ready_ ? list_ : nullptr; }

private:
    std::vector<char> storage_;
    LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
    bool ready_ = false;
};

// Created suspended: it joins the job before it runs a single instruction,
// so nothing it starts can escape the job either.
bool CreateSuspended(std::wstring commandLine, const HANDLE (&inherited)[3], PROCESS_INFORMATION& process) {
    const CInheritList list(inherited);
    STARTUPINFOEXW startup = {};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.StartupInfo.wShowWindow = SW_HIDE;
    startup.StartupInfo.hStdInput = inherited[0];
    startup.StartupInfo.hStdOutput = inherited[1];
    startup.StartupInfo.hStdError = inherited[2];
    startup.lpAttributeList = list.List();
    // No console at all: the encoder reads its "q" from the pipe either way.
    // A console without a window would come with a console host process of
    // its own, which under Wine holds the child's pipe ends and can outlive
    // the child: a reader would then wait on a pipe that never breaks.
    DWORD flags = CREATE_SUSPENDED | DETACHED_PROCESS;
    if (startup.lpAttributeList) flags |= EXTENDED_STARTUPINFO_PRESENT;

    commandLine.push_back(L'\0');
    for (int attempt = 0;; ++attempt) {
        if (CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                           &startup.StartupInfo, &process)) {
            return true;
        }
        if (attempt > 0 || GetLastError() != ERROR_INTERNAL_ERROR) return false;
        Sleep(kRetryStartMs);
    }
}

}  // namespace

bool CChildProcess::Wait(DWORD limitMs) const {
    return !process_ || WaitForSingleObject(process_.Get(), limitMs) != WAIT_TIMEOUT;
}

void CChildProcess::Terminate(UINT exitCode) const {
    if (Ended()) return;
    TerminateProcess(process_.Get(), exitCode);
    Wait(kTerminateWaitMs);
}

std::optional<DWORD> CChildProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (!process_ || !Ended() || !GetExitCodeProcess(process_.Get(), &code)) return std::nullopt;
    return code;
}

CChildProcess StartProcess(const std::string& commandLine, const ChildStdio& stdio) {
    PROCESS_INFORMATION process = {};
    bool started = false;
    DWORD startError = ERROR_SUCCESS;
    {
        std::lock_guard<std::mutex> starting(startLock);
        const CKernelHandle input = ChildHandle(stdio.input, GENERIC_READ);
        const CKernelHandle output = ChildHandle(stdio.output, GENERIC_WRITE);
        const CKernelHandle error = ChildHandle(stdio.error, GENERIC_WRITE);
        const HANDLE inherited[3] = {input.Get(), output.Get(), error.Get()};
        started = input && output && error && CreateSuspended(ToWide(commandLine), inherited, process);
        startError = GetLastError();
    }
    if (!started) {
        // The caller may log why; closing the copies must not change that.
        SetLastError(startError);
        return CChildProcess();
    }
    CKernelHandle child(process.hProcess);
    const CKernelHandle thread(process.hThread);
    // A system that refuses (a program already in a job that admits no other)
    // still runs the child, only without the guarantee.
    AssignProcessToJobObject(ProgramJob(), child.Get());
    ResumeThread(thread.Get());
    return CChildProcess(std::move(child));
}

bool MakePipe(CKernelHandle& read, CKernelHandle& write) {
    return CreatePipe(read.Receive(), write.Receive(), nullptr, 0) != FALSE;
}

double ChildProcessesCpuSeconds() {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION account = {};
    const HANDLE job = ProgramJob();
    if (!job ||
        !QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &account, sizeof account, nullptr)) {
        return 0.0;
    }
    return (account.TotalUserTime.QuadPart + account.TotalKernelTime.QuadPart) / 1e7;
}
