// pmpmux for the native build, where the tests run it: plain POSIX files.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "pmpmux/pmpmux_command.h"

namespace {

FileIdentity IdentityOf(int descriptor) {
    struct stat status {};
    FileIdentity identity;
    if (fstat(descriptor, &status) == 0) {
        identity.volume = static_cast<std::uint64_t>(status.st_dev);
        identity.file = static_cast<std::uint64_t>(status.st_ino);
    }
    return identity;
}

class PosixInput : public InputFile {
public:
    explicit PosixInput(int descriptor) : descriptor_(descriptor) {
        struct stat status {};
        if (fstat(descriptor_, &status) == 0) size_ = static_cast<std::uint64_t>(status.st_size);
    }
    ~PosixInput() override { close(descriptor_); }
    std::uint64_t Size() const override { return size_; }
    FileIdentity Identity() const override { return IdentityOf(descriptor_); }

    bool ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
        char* into = static_cast<char*>(buffer);
        while (count > 0) {
            const ssize_t got = pread(descriptor_, into, count, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            into += got;
            offset += static_cast<std::uint64_t>(got);
            count -= static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    int descriptor_;
    std::uint64_t size_ = 0;
};

class PosixOutput : public OutputFile {
public:
    explicit PosixOutput(int descriptor) : descriptor_(descriptor) {}
    ~PosixOutput() override { Close(); }
    FileIdentity Identity() const override { return IdentityOf(descriptor_); }
    bool Truncate() override { return ftruncate(descriptor_, 0) == 0; }

    bool Write(const void* bytes, std::size_t count) override {
        const char* from = static_cast<const char*>(bytes);
        while (count > 0) {
            const ssize_t put = write(descriptor_, from, count);
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) return false;
            from += put;
            count -= static_cast<std::size_t>(put);
        }
        return true;
    }

    bool Close() override {
        if (descriptor_ < 0) return true;
        const bool closed = close(descriptor_) == 0;
        descriptor_ = -1;
        return closed;
    }

private:
    int descriptor_;
};

class PosixFileSystem : public FileSystem {
public:
    std::unique_ptr<InputFile> OpenInput(const std::string& path, std::string* error) override {
        const int descriptor = open(path.c_str(), O_RDONLY);
        if (descriptor < 0) {
            *error = std::strerror(errno);
            return nullptr;
        }
        return std::make_unique<PosixInput>(descriptor);
    }

    std::unique_ptr<OutputFile> OpenOutput(const std::string& path, bool replace, std::string* error) override {
        const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | (replace ? 0 : O_EXCL), 0666);
        if (descriptor < 0) {
            *error = std::strerror(errno);
            return nullptr;
        }
        return std::make_unique<PosixOutput>(descriptor);
    }
};

}  // namespace

int main(int argc, char** argv) {
    PosixFileSystem files;
    std::string message;
    const int code = RunPmpmux(std::vector<std::string>(argv + 1, argv + argc), files, &message);
    if (code != kExitSuccess) std::fprintf(stderr, "%s\n", message.c_str());
    return code;
}
