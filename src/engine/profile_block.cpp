#include "engine/profile_block.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

char ByteAt(const char* block, std::size_t size, std::size_t offset) { return offset < size ? block[offset] : '\0'; }

}  // namespace

std::vector<std::string> WalkProfileBlock(const char* block, std::size_t size) {
    std::size_t end = 0;
    while (end < size && (ByteAt(block, size, end) != '\0' || ByteAt(block, size, end + 1) != '\0')) {
        ++end;
    }

    std::vector<std::string> strings;
    std::string current;
    for (std::size_t offset = 0; offset <= end; ++offset) {
        const char byte = ByteAt(block, size, offset);
        if (byte == '\0') {
            strings.push_back(current);
            current.clear();
        } else if (current.size() < kProfileTextLimit) {
            current.push_back(byte);
        }
    }
    return strings;
}

ProfileLine SplitProfileLine(const std::string& line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return {std::string(), line};
    return {line.substr(0, equals), line.substr(equals + 1)};
}

int ProfileNumber(const std::string& text) {
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}
