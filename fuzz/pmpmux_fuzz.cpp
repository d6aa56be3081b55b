// pmpmux as a whole, on files held in memory: whatever the AVI and the MP3
// hold, it either refuses them with one line, without creating the output,
// or writes a .pmp that its own check accepts.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "fuzz_support.h"
#include "pmpmux/pmpmux_command.h"

namespace {

class MemoryInput : public InputFile {
public:
    MemoryInput(const std::string& bytes, std::uint64_t number) : source_(bytes), number_(number) {}
    std::uint64_t Size() const override { return source_.Size(); }
    bool ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
        return source_.ReadAt(offset, buffer, count);
    }
    FileIdentity Identity() const override { return {1, number_}; }

private:
    MemorySource source_;
    std::uint64_t number_;
};

class MemoryOutput : public OutputFile {
public:
    MemoryOutput(std::string& bytes, std::uint64_t number) : bytes_(bytes), number_(number) {}
    bool Write(const void* bytes, std::size_t count) override {
        bytes_.append(static_cast<const char*>(bytes), count);
        return true;
    }
    FileIdentity Identity() const override { return {1, number_}; }
    bool Truncate() override {
        bytes_.clear();
        return true;
    }
    bool Close() override { return true; }

private:
    std::string& bytes_;
    std::uint64_t number_;
};

// Files by name; a name that is not there cannot be opened for reading.
class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;
    int outputsOpened = 0;

    std::unique_ptr<InputFile> OpenInput(const std::string& path, std::string* error) override {
        const auto found = files.find(path);
        if (found == files.end()) {
            *error = "no such file";
            return nullptr;
        }
        return std::make_unique<MemoryInput>(found->second, Number(path));
    }
    std::unique_ptr<OutputFile> OpenOutput(const std::string& path, bool, std::string*) override {
        ++outputsOpened;
        return std::make_unique<MemoryOutput>(files[path], Number(path));
    }

private:
    std::uint64_t Number(const std::string& path) { return std::hash<std::string>()(path); }
};

}  // namespace

// Input: the AVI and the MP3 as two files (see TwoFiles); without MP3 bytes
// there is no MP3 file, as for a silent source.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [avi, mp3] = TwoFiles(data, size);
    MemoryFileSystem files;
    files.files["video.avi"] = avi;
    if (!mp3.empty()) files.files["audio.mp3"] = mp3;

    std::string message;
    if (RunPmpmux({"video.avi", "audio.mp3", "out.pmp"}, files, &message) != kExitSuccess) {
        FUZZ_CHECK(!message.empty() && message.find('\n') == std::string::npos);
        FUZZ_CHECK(files.outputsOpened == 0);
        return 0;
    }
    FUZZ_CHECK(RunPmpmux({"-check", "out.pmp", "audio.mp3"}, files, &message) == kExitSuccess);
    return 0;
}
