#include "vavuduzuv/music_playlist.h"

#include <windows.h>
// The shell headers rely on <windows.h> before them.
#include <shlobj.h>

#include "common/windows_text.h"
#include "vavuduzuv/playlist_update.h"

namespace {

constexpr wchar_t kPlaylistName[] = L"Clipvane Library.m3u8";

// A playlist larger than this is not one the program made; reading it whole
// would only cost memory and time.
constexpr LONGLONG kLargestPlaylist = 64LL * 1024 * 1024;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (IsOpen()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// The comparison Windows' own file systems make.
bool SamePathIgnoringCase(std::string_view listedLine, std::string_view path) {
    const std::wstring first = ToWide(std::string(listedLine));
    const std::wstring second = ToWide(std::string(path));
    return CompareStringOrdinal(first.c_str(), static_cast<int>(first.size()), second.c_str(),
                                static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}

bool ReadAll(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size) || size.QuadPart > kLargestPlaylist) return false;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &read, nullptr)) return false;
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return true;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace

std::wstring MusicFolder() {
    std::wstring folder;
    PWSTR known = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Music, KF_FLAG_CREATE, nullptr, &known))) folder = known;
    CoTaskMemFree(known);
    if (folder.empty()) {
        // Older shells, and Music folders redirected where the known-folder
        // call refuses to go, still answer the CSIDL question.
        wchar_t legacy[MAX_PATH] = {};
        if (SUCCEEDED(
                SHGetFolderPathW(nullptr, CSIDL_MYMUSIC | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, legacy))) {
            folder = legacy;
        }
    }
    return folder;
}

bool AddToMusicPlaylist(const std::wstring& fullPath) {
    const std::wstring folder = MusicFolder();
    if (folder.empty()) return false;
    const std::wstring playlistPath = folder + (folder.back() == L'\\' ? L"" : L"\\") + kPlaylistName;
    // Append-only access: every write lands at the end whatever happens, so
    // no existing line can be overwritten. Others may read meanwhile; a
    // second writer is refused rather than interleaved with this one.
    FileHandle playlist(CreateFileW(playlistPath.c_str(), GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!playlist.IsOpen()) return false;
    std::string existing;
    if (!ReadAll(playlist.Get(), existing)) return false;
    const std::string addition = PlaylistAddition(existing, ToUtf8(fullPath), SamePathIgnoringCase);
    return addition.empty() || WriteAll(playlist.Get(), addition);
}
