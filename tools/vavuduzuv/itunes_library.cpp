#include "vavuduzuv/itunes_library.h"

#include <windows.h>

#include <objbase.h>

#include "vavuduzuv/exit_codes.h"
#include "vavuduzuv/late_binding.h"

namespace {

constexpr wchar_t kITunesClass[] = L"iTunes.Application";

// The operation status offers no event short of a connection-point sink, so
// it is asked again after this pause.
constexpr DWORD kStatusPollMilliseconds = 100;

}  // namespace

bool ITunesInstalled() {
    ComApartment com;
    CLSID classId;
    return com.IsReady() && SUCCEEDED(CLSIDFromProgID(kITunesClass, &classId));
}

HRESULT AddThroughApplication(IDispatch* application, const std::wstring& fullPath) {
    DispatchRef library;
    HRESULT hr = GetObjectProperty(application, L"LibraryPlaylist", library);
    if (FAILED(hr)) return hr;
    DispatchRef status;
    hr = CallWithString(library.Get(), L"AddFile", fullPath, status);
    if (FAILED(hr) || !status) return hr;
    for (;;) {
        bool inProgress = false;
        hr = GetBoolProperty(status.Get(), L"InProgress", inProgress);
        if (FAILED(hr) || !inProgress) return hr;
        Sleep(kStatusPollMilliseconds);
    }
}

int AddToITunesLibrary(const std::wstring& fullPath) {
    ComApartment com;
    CLSID classId;
    if (!com.IsReady() || FAILED(CLSIDFromProgID(kITunesClass, &classId))) return kExitITunesFailed;
    IDispatch* created = nullptr;
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&created)))) {
        return kExitITunesFailed;
    }
    DispatchRef application(created);
    return SUCCEEDED(AddThroughApplication(application.Get(), fullPath)) ? kExitAdded : kExitITunesFailed;
}
