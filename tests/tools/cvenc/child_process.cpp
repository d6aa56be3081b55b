#include "child_process.h"

#include <chrono>
#include <vector>

namespace {

// Makes a pipe whose child end (read end when the child reads) is inheritable.
void MakePipe(HANDLE& childEnd, HANDLE& ownEnd, bool childReads) {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    CreatePipe(&read, &write, &inheritable, 0);
    childEnd = childReads ? read : write;
    ownEnd = childReads ? write : read;
    SetHandleInformation(ownEnd, HANDLE_FLAG_INHERIT, 0);
}

}  // namespace

ChildProcess::ChildProcess(const std::string& commandLine) {
    HANDLE childInput, childOutput, childErrors, output, errors;
    MakePipe(childInput, input_, true);
    MakePipe(childOutput, output, false);
    MakePipe(childErrors, errors, false);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = childErrors;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    PROCESS_INFORMATION started = {};
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr, nullptr, &startup,
                       &started)) {
        process_ = started.hProcess;
        id_ = started.dwProcessId;
        CloseHandle(started.hThread);
    }
    CloseHandle(childInput);
    CloseHandle(childOutput);
    CloseHandle(childErrors);
    outputReader_ = std::thread([this, output] { Collect(output, output_); });
    errorReader_ = std::thread([this, errors] { Collect(errors, errors_); });
}

long ChildProcess::Finish(DWORD milliseconds) {
    long exitCode = Wait(milliseconds);
    if (process_ != nullptr && exitCode == -1) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, INFINITE);
    }
    CloseInput();
    if (outputReader_.joinable()) outputReader_.join();
    if (errorReader_.joinable()) errorReader_.join();
    if (process_ != nullptr) CloseHandle(process_);
    process_ = nullptr;
    return exitCode;
}

void ChildProcess::Collect(HANDLE pipe, std::string& into) {
    char bytes[4096];
    DWORD count = 0;
    while (ReadFile(pipe, bytes, sizeof bytes, &count, nullptr) && count > 0) {
        std::lock_guard<std::mutex> lock(mutex_);
        into.append(bytes, count);
        changed_.notify_all();
    }
    CloseHandle(pipe);
}

void ChildProcess::Send(const std::string& text) {
    DWORD written = 0;
    WriteFile(input_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void ChildProcess::CloseInput() {
    if (input_ != nullptr) CloseHandle(input_);
    input_ = nullptr;
}

bool ChildProcess::WaitForOutput(const std::function<bool(const std::string&)>& enough, DWORD milliseconds) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return enough(output_); });
}

long ChildProcess::Wait(DWORD milliseconds) {
    if (process_ == nullptr || WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<long>(code);
}

std::string ChildProcess::Output() {
    std::lock_guard<std::mutex> lock(mutex_);
    return output_;
}

std::string ChildProcess::Errors() {
    std::lock_guard<std::mutex> lock(mutex_);
    return errors_;
}

Finished RunToEnd(const std::string& commandLine, DWORD milliseconds) {
    ChildProcess child(commandLine);
    child.CloseInput();
    const long exitCode = child.Finish(milliseconds);
    return {exitCode, child.Output(), child.Errors()};
}
