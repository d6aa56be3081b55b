#include "cvenc/windows_file.h"

#include <algorithm>

#include "common/windows_text.h"

namespace {

// ReadFile and WriteFile take 32-bit counts; larger requests go in pieces.
constexpr std::size_t kLargestTransfer = 64u * 1024 * 1024;

OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED position = {};
    position.Offset = static_cast<DWORD>(offset);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}

}  // namespace

WindowsFile::WindowsFile(const std::wstring& path)
    : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (!IsOpen()) error_ = SystemMessage(GetLastError());
}

std::uint64_t WindowsFile::Size() {
    LARGE_INTEGER size = {};
    return GetFileSizeEx(handle_.Get(), &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
}

bool WindowsFile::ReadAt(std::uint64_t offset, void* bytes, std::size_t count) {
    auto* at = static_cast<char*>(bytes);
    while (count > 0) {
        OVERLAPPED position = At(offset);
        DWORD done = 0;
        const DWORD wanted = static_cast<DWORD>(std::min(count, kLargestTransfer));
        if (!ReadFile(handle_.Get(), at, wanted, &done, &position) || done == 0) return false;
        at += done;
        offset += done;
        count -= done;
    }
    return true;
}

bool WindowsFile::WriteAt(std::uint64_t offset, const void* bytes, std::size_t count) {
    const auto* at = static_cast<const char*>(bytes);
    while (count > 0) {
        OVERLAPPED position = At(offset);
        DWORD done = 0;
        const DWORD wanted = static_cast<DWORD>(std::min(count, kLargestTransfer));
        if (!WriteFile(handle_.Get(), at, wanted, &done, &position) || done == 0) return false;
        at += done;
        offset += done;
        count -= done;
    }
    return true;
}
