#include "vavuduzuv/arguments.h"

ArgumentCheck CheckArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return ArgumentCheck::kMissing;
    if (arguments.size() > 1) return ArgumentCheck::kTooMany;
    const std::string& path = arguments.front();
    if (path.empty()) return ArgumentCheck::kEmpty;
    for (const char c : path) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return ArgumentCheck::kControlCharacter;
    }
    return ArgumentCheck::kOnePath;
}
