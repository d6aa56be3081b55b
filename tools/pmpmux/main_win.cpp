// pmpmux.exe. Arguments are taken from the UTF-16 command line and kept as
// UTF-8 inside, so every path reaches CreateFileW exactly as it was given,
// whatever the ANSI code page. Files are opened sharing read, write and
// delete, so the converter's Stop clean-up can delete the output (and the
// temporary inputs) while pmpmux still holds them.

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <cstdio>

#include "common/windows_text.h"
#include "pmpmux/pmpmux_command.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// ReadFile and WriteFile take a DWORD count; stay well below it.
constexpr std::size_t kLargestTransfer = 1u << 30;

FileIdentity IdentityOf(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION information{};
    FileIdentity identity;
    if (GetFileInformationByHandle(handle, &information)) {
        identity.volume = information.dwVolumeSerialNumber;
        identity.file = (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    }
    return identity;
}

class WinInput : public InputFile {
public:
    explicit WinInput(HANDLE handle) : handle_(handle) {
        LARGE_INTEGER size{};
        if (GetFileSizeEx(handle_, &size)) size_ = static_cast<std::uint64_t>(size.QuadPart);
    }
    ~WinInput() override { CloseHandle(handle_); }
    std::uint64_t Size() const override { return size_; }
    FileIdentity Identity() const override { return IdentityOf(handle_); }

    bool ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
        char* into = static_cast<char*>(buffer);
        while (count > 0) {
            OVERLAPPED position{};
            position.Offset = static_cast<DWORD>(offset);
            position.OffsetHigh = static_cast<DWORD>(offset >> 32);
            const DWORD wanted = static_cast<DWORD>(count < kLargestTransfer ? count : kLargestTransfer);
            DWORD got = 0;
            if (!ReadFile(handle_, into, wanted, &got, &position) || got == 0) return false;
            into += got;
            offset += got;
            count -= got;
        }
        return true;
    }

private:
    HANDLE handle_;
    std::uint64_t size_ = 0;
};

class WinOutput : public OutputFile {
public:
    explicit WinOutput(HANDLE handle) : handle_(handle) {}
    ~WinOutput() override { Close(); }
    FileIdentity Identity() const override { return IdentityOf(handle_); }

    bool Truncate() override {
        LARGE_INTEGER start{};
        return SetFilePointerEx(handle_, start, nullptr, FILE_BEGIN) && SetEndOfFile(handle_);
    }

    bool Write(const void* bytes, std::size_t count) override {
        const char* from = static_cast<const char*>(bytes);
        while (count > 0) {
            const DWORD wanted = static_cast<DWORD>(count < kLargestTransfer ? count : kLargestTransfer);
            DWORD put = 0;
            if (!WriteFile(handle_, from, wanted, &put, nullptr) || put == 0) return false;
            from += put;
            count -= put;
        }
        return true;
    }

    bool Close() override {
        if (handle_ == INVALID_HANDLE_VALUE) return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

class WinFileSystem : public FileSystem {
public:
    std::unique_ptr<InputFile> OpenInput(const std::string& path, std::string* error) override {
        const HANDLE handle = CreateFileW(ToWide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            *error = SystemMessage(GetLastError());
            return nullptr;
        }
        return std::make_unique<WinInput>(handle);
    }

    // CREATE_NEW: a file that is there is not ours. With -y, OPEN_ALWAYS
    // rather than CREATE_ALWAYS: the file is emptied only after RunPmpmux has
    // made sure it is not one of the inputs.
    std::unique_ptr<OutputFile> OpenOutput(const std::string& path, bool replace, std::string* error) override {
        const HANDLE handle = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                          replace ? OPEN_ALWAYS : CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            *error = SystemMessage(GetLastError());
            return nullptr;
        }
        return std::make_unique<WinOutput>(handle);
    }
};

}  // namespace

int main() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) arguments.push_back(ToUtf8(wide[i]));
    if (wide) LocalFree(wide);

    WinFileSystem files;
    std::string message;
    const int code = RunPmpmux(arguments, files, &message);
    if (code != kExitSuccess) std::fprintf(stderr, "%s\n", message.c_str());
    return code;
}
