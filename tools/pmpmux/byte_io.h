#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Where pmpmux reads its inputs from and writes its output to. The readers and
// the muxer only see these interfaces, so the same code runs on files (opened
// by the platform's main) and on bytes that a test makes in memory.

// Random-access input of a known size.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads exactly `count` bytes at `offset`; false when they are not all there
    // or the read fails.
    virtual bool ReadAt(std::uint64_t offset, void* buffer, std::size_t count) = 0;
};

// Sequential output.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Writes all the bytes; false when the output refused some of them.
    virtual bool Write(const void* bytes, std::size_t count) = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override;

private:
    std::string bytes_;
};

class MemorySink : public ByteSink {
public:
    bool Write(const void* bytes, std::size_t count) override;
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Keeps one window of another source in memory, so that walking thousands of
// small chunk and frame headers costs a few large reads instead of one system
// call each. Reads larger than the window go straight through.
class CachedSource : public ByteSource {
public:
    explicit CachedSource(ByteSource& inner) : inner_(inner) {}
    std::uint64_t Size() const override { return inner_.Size(); }
    bool ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override;

private:
    static constexpr std::size_t kWindowSize = 256 * 1024;
    ByteSource& inner_;
    std::vector<unsigned char> window_;
    std::uint64_t windowStart_ = 0;
};

// Little-endian fields, as RIFF and .pmp files store them.
inline std::uint32_t Le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void AppendLe32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}
