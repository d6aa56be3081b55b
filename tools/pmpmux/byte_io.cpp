#include "pmpmux/byte_io.h"

#include <algorithm>
#include <cstring>

bool MemorySource::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) {
    if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
    if (count > 0) std::memcpy(buffer, bytes_.data() + offset, count);
    return true;
}

bool MemorySink::Write(const void* bytes, std::size_t count) {
    bytes_.append(static_cast<const char*>(bytes), count);
    return true;
}

bool CachedSource::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) {
    const std::uint64_t size = inner_.Size();
    if (offset > size || count > size - offset) return false;
    if (count > kWindowSize) return inner_.ReadAt(offset, buffer, count);
    const bool inWindow = offset >= windowStart_ && offset - windowStart_ + count <= window_.size();
    if (!inWindow) {
        const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(kWindowSize, size - offset));
        window_.resize(length);
        windowStart_ = offset;
        if (!inner_.ReadAt(offset, window_.data(), length)) {
            window_.clear();
            return false;
        }
    }
    if (count > 0) std::memcpy(buffer, window_.data() + (offset - windowStart_), count);
    return true;
}
