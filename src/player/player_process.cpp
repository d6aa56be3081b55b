#include "player/player_process.h"

#include <vector>

namespace {

// A terminated run is gone within milliseconds; this only bounds a system that refuses.
constexpr DWORD kTerminateWaitMs = 5000;

// Every run of the player belongs to this job; when the program ends, its
// handle closes and the system ends whatever runs are left.
HANDLE PlayerJob() {
    static const HANDLE job = [] {
        HANDLE created = CreateJobObjectA(nullptr, nullptr);
        if (created) {
            JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
            limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
            SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        }
        return created;
    }();
    return job;
}

// Inheritable copies exist only while a run starts; starts are taken one at
// a time so that no run inherits another's copies on a system that passes a
// child every inheritable handle.
std::mutex startLock;

HANDLE InheritableCopy(HANDLE handle) {
    HANDLE copy = nullptr;
    const HANDLE self = GetCurrentProcess();
    return DuplicateHandle(self, handle, self, &copy, 0, TRUE, DUPLICATE_SAME_ACCESS) ? copy : nullptr;
}

void CloseIfOpen(HANDLE& handle) {
    if (handle) CloseHandle(handle);
    handle = nullptr;
}

HANDLE OpenNul(DWORD access) {
    const HANDLE nul =
        CreateFileA("NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    return nul == INVALID_HANDLE_VALUE ? nullptr : nul;
}

// The child's three standard handles, each an inheritable copy made for this start.
struct ChildHandles {
    HANDLE input = nullptr;
    HANDLE output = nullptr;
    HANDLE error = nullptr;
    ~ChildHandles() {
        CloseIfOpen(input);
        CloseIfOpen(output);
        CloseIfOpen(error);
    }
    bool Complete() const { return input && output && error; }
};

// Starts suspended, joins the job and only then runs, so that nothing the run
// starts can escape the job. The handle list tells systems that honour it to
// pass the child just these three handles.
HANDLE Launch(std::string commandLine, const ChildHandles& child) {
    STARTUPINFOEXA startup = {};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.StartupInfo.wShowWindow = SW_HIDE;
    startup.StartupInfo.hStdInput = child.input;
    startup.StartupInfo.hStdOutput = child.output;
    startup.StartupInfo.hStdError = child.error;

    HANDLE inherited[3] = {child.input, child.output, child.error};
    SIZE_T listSize = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &listSize);
    std::vector<char> list(listSize);
    DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW;
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(list.data());
    const bool listed = listSize > 0 && InitializeProcThreadAttributeList(attributes, 1, 0, &listSize) &&
                        UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                                  sizeof inherited, nullptr, nullptr);
    if (listed) {
        startup.lpAttributeList = attributes;
        flags |= EXTENDED_STARTUPINFO_PRESENT;
    }

    commandLine.push_back('\0');
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                                        &startup.StartupInfo, &process);
    if (listed) DeleteProcThreadAttributeList(attributes);
    if (!started) return nullptr;
    const HANDLE job = PlayerJob();
    if (job) AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    return process.hProcess;
}

}  // namespace

CPlayerProcess::~CPlayerProcess() {
    Cancel();
    CloseIfOpen(process_);
    CloseIfOpen(output_);
    CloseIfOpen(input_);
}

bool CPlayerProcess::Start(const std::string& commandLine, Output read, bool withInput) {
    std::lock_guard<std::mutex> hold(lock_);
    if (cancelled_ || process_) return false;

    HANDLE outputRead = nullptr, outputWrite = nullptr, inputRead = nullptr, inputWrite = nullptr;
    if (!CreatePipe(&outputRead, &outputWrite, nullptr, 0)) return false;
    if (withInput && !CreatePipe(&inputRead, &inputWrite, nullptr, 0)) {
        CloseHandle(outputRead);
        CloseHandle(outputWrite);
        return false;
    }
    {
        std::lock_guard<std::mutex> starting(startLock);
        ChildHandles child;
        const HANDLE nulRead = withInput ? nullptr : OpenNul(GENERIC_READ);
        const HANDLE nulWrite = OpenNul(GENERIC_WRITE);
        child.input = InheritableCopy(withInput ? inputRead : nulRead);
        const HANDLE written = InheritableCopy(outputWrite);
        const HANDLE discarded = InheritableCopy(nulWrite);
        child.output = read == Output::Standard ? written : discarded;
        child.error = read == Output::Standard ? discarded : written;
        if (nulRead) CloseHandle(nulRead);
        if (nulWrite) CloseHandle(nulWrite);
        if (child.Complete()) process_ = Launch(commandLine, child);
    }
    // Only the run holds the other ends now: the output pipe breaks when it ends.
    CloseHandle(outputWrite);
    if (inputRead) CloseHandle(inputRead);
    if (!process_) {
        CloseHandle(outputRead);
        if (inputWrite) CloseHandle(inputWrite);
        return false;
    }
    output_ = outputRead;
    input_ = inputWrite;
    return true;
}

DWORD CPlayerProcess::Read(void* buffer, DWORD count) {
    DWORD got = 0;
    if (!output_ || !ReadFile(output_, buffer, count, &got, nullptr)) return 0;
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
    WriteFile(input_, "q", 1, &written, nullptr);
    CloseIfOpen(input_);
    return true;
}

void CPlayerProcess::Cancel() {
    std::lock_guard<std::mutex> hold(lock_);
    cancelled_ = true;
    if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, kTerminateWaitMs);
    }
}

bool CPlayerProcess::Cancelled() const {
    std::lock_guard<std::mutex> hold(lock_);
    return cancelled_;
}

bool CPlayerProcess::Wait(DWORD milliseconds) {
    const HANDLE process = Handle();
    return !process || WaitForSingleObject(process, milliseconds) != WAIT_TIMEOUT;
}

DWORD CPlayerProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

double PlayerRunsCpuSeconds() {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION account = {};
    const HANDLE job = PlayerJob();
    if (!job ||
        !QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &account, sizeof account, nullptr)) {
        return 0.0;
    }
    return (account.TotalUserTime.QuadPart + account.TotalKernelTime.QuadPart) / 1e7;
}
