#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

// A stand-in for the encoder that the runner's tests and benchmark start. Its
// arguments are a script run in order, so each test describes the encoder it
// needs on the command line:
//   --print TEXT        write TEXT to standard output in one write ("\n" and "\r" escapes)
//   --stderr TEXT       the same on standard error
//   --progress COUNT MS print COUNT progress lines, MS apart
//   --finish            print FFmpeg's closing summary on standard error, as a whole encode ends
//   --sleep MS          stay silent
//   --wait-q            read standard input until "q"; when input ends without one, exit 1 at once
//   --write PATH TEXT   create PATH holding TEXT
//   --create PATH TEXT  the same, but exit 1 when PATH is there, as FFmpeg does with "-n"
//   --fail-beside PATH  exit 3 when a file PATH.fail is there
//   --spawn ARGS        start a copy of this program with ARGS and the same standard handles, not waited for
//   --open PATH         create PATH and hold it open until the end, as an encoder holds its output
//   --post HWND         post WM_APP to the window (a test's stop button)
//   --signal NAME       set the named event NAME (made if missing)
//   --await NAME        wait (at most 30 s) until the named event NAME is set
// Named VavuDuzuv.exe it plays the media-library helper instead: it appends its
// command line to "vavuduzuv-journal.txt" in the current directory, and
// "two helpers at once" when another copy was running meanwhile.

namespace {

std::string Unescape(const char* text) {
    std::string bytes;
    for (const char* c = text; *c; ++c) {
        const bool escape = c[0] == '\\' && (c[1] == 'n' || c[1] == 'r');
        bytes += escape ? (*++c == 'n' ? '\n' : '\r') : *c;
    }
    return bytes;
}

// Straight to the handle, without the C library's buffering: one call is one write
// into the pipe, which the reader may see as one chunk.
void WriteAll(DWORD stdHandle, const std::string& bytes) {
    DWORD written = 0;
    WriteFile(GetStdHandle(stdHandle), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void WriteFileBytes(const char* path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Progress lines a second of video apart.
void PrintProgress(int count, int intervalMs) {
    for (int second = 1; second <= count; ++second) {
        WriteAll(STD_OUTPUT_HANDLE, "frame=   25 q=3.0 size=      51kB time=" + std::to_string(second) + ".00 \r");
        if (second < count) Sleep(intervalMs);
    }
}

bool WaitForQ() {
    char byte = 0;
    DWORD got = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &got, nullptr) && got == 1) {
        if (byte == 'q') return true;
    }
    return false;
}

void Spawn(const char* arguments) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = std::string("\"") + self + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

// Hand-shakes with the test through named events, never through sleeps.
HANDLE NamedEvent(const char* name) { return CreateEventA(nullptr, TRUE, FALSE, name); }

bool IsMediaLibraryHelper() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const char* name = std::strrchr(self, '\\');
    return lstrcmpiA(name ? name + 1 : self, "VavuDuzuv.exe") == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (IsMediaLibraryHelper()) {
        // Each copy marks the time it runs with a file only one can hold; it
        // takes a while, so a caller that does not wait for the helper, or two
        // items that finish close together, are caught.
        const HANDLE running =
            CreateFileA("vavuduzuv-running", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        Sleep(400);
        std::ofstream journal("vavuduzuv-journal.txt", std::ios::binary | std::ios::app);
        journal << (running == INVALID_HANDLE_VALUE ? "two helpers at once\n" : "") << GetCommandLineA() << "\n";
        return 0;
    }
    for (int i = 1; i < argc; ++i) {
        const std::string command = argv[i];
        const bool hasOne = i + 1 < argc, hasTwo = i + 2 < argc;
        if (command == "--print" && hasOne) {
            WriteAll(STD_OUTPUT_HANDLE, Unescape(argv[++i]));
        } else if (command == "--stderr" && hasOne) {
            WriteAll(STD_ERROR_HANDLE, Unescape(argv[++i]));
        } else if (command == "--signal" && hasOne) {
            SetEvent(NamedEvent(argv[++i]));
        } else if (command == "--await" && hasOne) {
            WaitForSingleObject(NamedEvent(argv[++i]), 30000);
        } else if (command == "--progress" && hasTwo) {
            PrintProgress(std::atoi(argv[i + 1]), std::atoi(argv[i + 2]));
            i += 2;
        } else if (command == "--finish") {
            WriteAll(STD_ERROR_HANDLE,
                     "video:51kB audio:0kB subtitle:0kB other streams:0kB global headers:0kB muxing overhead: 0.5%\n");
        } else if (command == "--sleep" && hasOne) {
            Sleep(std::strtoul(argv[++i], nullptr, 10));
        } else if (command == "--wait-q") {
            if (!WaitForQ()) return 1;
        } else if (command == "--write" && hasTwo) {
            WriteFileBytes(argv[i + 1], Unescape(argv[i + 2]));
            i += 2;
        } else if (command == "--create" && hasTwo) {
            if (GetFileAttributesA(argv[i + 1]) != INVALID_FILE_ATTRIBUTES) return 1;
            WriteFileBytes(argv[i + 1], Unescape(argv[i + 2]));
            i += 2;
        } else if (command == "--fail-beside" && hasOne) {
            if (GetFileAttributesA((std::string(argv[++i]) + ".fail").c_str()) != INVALID_FILE_ATTRIBUTES) return 3;
        } else if (command == "--open" && hasOne) {
            // Closed by the system when the program ends, however it ends.
            CreateFileA(argv[++i], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        } else if (command == "--post" && hasOne) {
            PostMessageA(reinterpret_cast<HWND>(std::strtoull(argv[++i], nullptr, 10)), WM_APP, 0, 0);
        } else if (command == "--spawn" && hasOne) {
            Spawn(argv[++i]);
        } else {
            std::fprintf(stderr, "fake_encoder: unknown step %s\n", argv[i]);
            return 2;
        }
    }
    return 0;
}
