#pragma once

#include <cstring>
#include <string>

#include "cvenc/random_access_file.h"

// A file held in a string, for the box tests.
class MemoryFile : public RandomAccessFile {
public:
    explicit MemoryFile(std::string bytes) : bytes_(std::move(bytes)) {}

    const std::string& Bytes() const { return bytes_; }

    std::uint64_t Size() override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, void* bytes, std::size_t count) override {
        if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
        std::memcpy(bytes, bytes_.data() + offset, count);
        return true;
    }
    bool WriteAt(std::uint64_t offset, const void* bytes, std::size_t count) override {
        if (offset > bytes_.size() || count > bytes_.size() - offset) return false;  // the rewrite never grows a file
        std::memcpy(&bytes_[offset], bytes, count);
        return true;
    }

private:
    std::string bytes_;
};
