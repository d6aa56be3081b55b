#pragma once

#include <string>

#include "cvenc/random_access_file.h"
#include "cvenc/unique_handle.h"

// A file opened for the faststart rewrite. Others may still read, write and
// delete it meanwhile: the converter's clean-up after Stop deletes the output
// of a pass that may still be running, and must not fail because of us.
class WindowsFile : public RandomAccessFile {
public:
    // Opens an existing file; on failure IsOpen() is false and Error() says why.
    explicit WindowsFile(const std::wstring& path);

    bool IsOpen() const { return handle_.IsValid(); }
    const std::string& Error() const { return error_; }

    std::uint64_t Size() override;
    bool ReadAt(std::uint64_t offset, void* bytes, std::size_t count) override;
    bool WriteAt(std::uint64_t offset, const void* bytes, std::size_t count) override;

private:
    UniqueHandle handle_;
    std::string error_;
};
