#pragma once

#include <windows.h>

// The one holder for kernel handles (processes, threads, pipes, events,
// files, tokens): it closes what it holds exactly once. Windows hands a closed
// handle's value out again, so a handle closed twice may close somebody
// else's object; the holder forgets a handle as it closes it.
//
// Both of the system's "no handle" values (nullptr, and INVALID_HANDLE_VALUE
// from CreateFile) count as empty, so a failed call's result can be taken as
// it comes.
class CKernelHandle {
public:
    CKernelHandle() = default;
    explicit CKernelHandle(HANDLE handle) : handle_(Normal(handle)) {}
    ~CKernelHandle() { Reset(); }
    CKernelHandle(CKernelHandle&& other) noexcept : handle_(other.Release()) {}
    CKernelHandle& operator=(CKernelHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    CKernelHandle(const CKernelHandle&) = delete;
    CKernelHandle& operator=(const CKernelHandle&) = delete;

    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    // Closes the handle held, if any, and holds the new one. False when the
    // close failed (the last-error code tells why); the old handle is
    // forgotten either way.
    bool Reset(HANDLE handle = nullptr) {
        const HANDLE old = handle_;
        handle_ = Normal(handle);
        return !old || old == handle_ || CloseHandle(old);
    }

    // Gives up ownership without closing.
    HANDLE Release() {
        const HANDLE handle = handle_;
        handle_ = nullptr;
        return handle;
    }

    // For calls that hand out a new handle through a pointer: closes the
    // handle held and gives the place to put the new one in.
    HANDLE* Receive() {
        Reset();
        return &handle_;
    }

private:
    static HANDLE Normal(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }

    HANDLE handle_ = nullptr;
};
