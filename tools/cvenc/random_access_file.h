#pragma once

#include <cstddef>
#include <cstdint>

// The file the faststart rewrite works on. The rewrite itself is portable; on
// Windows the file is opened so that others may still read, write and delete
// it, in the tests it lives in memory.
class RandomAccessFile {
public:
    virtual ~RandomAccessFile() = default;

    virtual std::uint64_t Size() = 0;

    // Each reads or writes all `count` bytes at `offset`, or fails.
    virtual bool ReadAt(std::uint64_t offset, void* bytes, std::size_t count) = 0;
    virtual bool WriteAt(std::uint64_t offset, const void* bytes, std::size_t count) = 0;
};
