#include "engine/work_files.h"

#include <windows.h>

#include <vector>

#include "engine/encoder_log.h"
#include "framework/kernel_handle.h"
#include "framework/side_by_side.h"

namespace {

// Deletions to repeat once the programs of a pass have ended: files found in
// use, and the files of a stopped item. Retried by FinishPendingDeletions.
std::vector<std::string> pendingDeletions;

constexpr DWORD kRetryIntervalMs = 50;
constexpr DWORD kPendingFilesTimeoutMs = 15000;

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

// The full, long form of a path: relative parts, "..", forward slashes, short
// 8.3 names and trailing dots all resolved as Windows itself resolves them.
std::wstring NormalisedPath(const std::string& path) {
    const std::wstring wide = Wide(path);
    if (wide.empty()) return wide;
    const DWORD fullLength = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (fullLength == 0) return wide;
    std::wstring full(fullLength, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), fullLength, &full[0], nullptr));
    const DWORD longLength = GetLongPathNameW(full.c_str(), nullptr, 0);
    if (longLength == 0) return full;  // the file does not exist (yet): its full form is all there is
    std::wstring longForm(longLength, L'\0');
    longForm.resize(GetLongPathNameW(full.c_str(), &longForm[0], longLength));
    return longForm;
}

bool SamePath(const std::wstring& first, const std::wstring& second) {
    return CompareStringOrdinal(first.c_str(), static_cast<int>(first.size()), second.c_str(),
                                static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}

bool IsSourceOfAnItem(const TaskList& tasks, const std::wstring& path) {
    for (int index = 0; index < tasks.Count(); ++index) {
        const std::string source = tasks.Copy(index).sourcePath;
        if (!source.empty() && SamePath(NormalisedPath(source), path)) return true;
    }
    return false;
}

enum class Deletion { Gone, InUse, Refused };

Deletion TryDelete(const TaskList& tasks, const std::string& path) {
    if (path.empty()) return Deletion::Refused;
    const std::wstring full = NormalisedPath(path);
    if (IsSourceOfAnItem(tasks, full)) return Deletion::Refused;
    if (DeleteFileA(path.c_str())) return Deletion::Gone;
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return Deletion::Gone;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return Deletion::InUse;
        default:
            LogApiError("DeleteFile");
            return Deletion::Refused;
    }
}

}  // namespace

bool SameFileName(const std::string& first, const std::string& second) { return SamePath(Wide(first), Wide(second)); }

bool FileOrFolderExists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReserveNewFile(const std::string& path) {
    const CKernelHandle file(
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

bool HoldsContent(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    return data.nFileSizeHigh != 0 || data.nFileSizeLow != 0;
}

bool IsSourceOfAnItem(const TaskList& tasks, const std::string& path) {
    return !path.empty() && IsSourceOfAnItem(tasks, NormalisedPath(path));
}

bool DeleteWorkFile(const TaskList& tasks, const std::string& path) {
    const Deletion result = TryDelete(tasks, path);
    if (result == Deletion::InUse) pendingDeletions.push_back(path);
    return result == Deletion::Gone;
}

void DeleteStoppedFile(const TaskList& tasks, const std::string& path) {
    if (TryDelete(tasks, path) != Deletion::Refused) pendingDeletions.push_back(path);
}

void FinishPendingDeletions(const TaskList& tasks) {
    const DWORD start = GetTickCount();
    while (!pendingDeletions.empty()) {
        std::vector<std::string> stillInUse;
        for (const std::string& path : pendingDeletions) {
            if (TryDelete(tasks, path) == Deletion::InUse) stillInUse.push_back(path);
        }
        pendingDeletions.swap(stillInUse);
        if (pendingDeletions.empty() || GetTickCount() - start >= kPendingFilesTimeoutMs) break;
        WaitTurn(nullptr, kRetryIntervalMs);
    }
    pendingDeletions.clear();
}
