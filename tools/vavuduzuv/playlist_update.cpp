#include "vavuduzuv/playlist_update.h"

namespace {

constexpr std::string_view kHeader = "#EXTM3U";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool ListsPath(std::string_view existing, std::string_view path, SamePathTest samePath) {
    if (existing.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
        existing.remove_prefix(kUtf8ByteOrderMark.size());
    }
    while (!existing.empty()) {
        const std::size_t end = existing.find('\n');
        std::string_view line = existing.substr(0, end);
        existing.remove_prefix(end == std::string_view::npos ? existing.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        // '#' starts a directive or a comment, never a full path.
        if (!line.empty() && line.front() != '#' && samePath(line, path)) return true;
    }
    return false;
}

}  // namespace

std::string PlaylistAddition(std::string_view existing, std::string_view utf8Path, SamePathTest samePath) {
    if (ListsPath(existing, utf8Path, samePath)) return std::string();
    std::string addition;
    if (existing.empty()) {
        addition.append(kHeader).append(kLineEnd);
    } else if (existing.back() != '\n') {
        addition.append(kLineEnd);
    }
    addition.append(utf8Path).append(kLineEnd);
    return addition;
}
