#pragma once

#include <clocale>
#include <cstddef>
#include <cwctype>
#include <string>

// File names as Windows compares them: every UTF-16 unit upper-cased on its
// own by a table that covers every script, so "é.avi" and "É.AVI" are one
// file while a character beyond the first 65,536 keeps its case. The C
// library's table in a UTF-8 locale stands in for the system's here. Bytes
// that are not UTF-8 are compared as they are.
inline std::string WindowsFolded(const std::string& name) {
    static const bool unicodeTable = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
    (void)unicodeTable;
    std::string folded;
    for (std::size_t at = 0; at < name.size();) {
        const unsigned char lead = static_cast<unsigned char>(name[at]);
        const std::size_t length = lead < 0x80                   ? 1
                                   : lead >= 0xC2 && lead < 0xE0 ? 2
                                   : lead >= 0xE0 && lead < 0xF0 ? 3
                                                                 : 0;
        bool whole = length > 0 && at + length <= name.size();
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; whole && i < length; ++i) {
            const unsigned char next = static_cast<unsigned char>(name[at + i]);
            whole = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3F);
        }
        if (!whole || (length == 3 && (code < 0x800 || (code >= 0xD800 && code < 0xE000)))) {
            folded += name[at++];
            continue;
        }
        const std::wint_t upper = std::towupper(static_cast<std::wint_t>(code));
        if (upper < 0x10000) code = static_cast<char32_t>(upper);
        if (code < 0x80) {
            folded += static_cast<char>(code);
        } else if (code < 0x800) {
            folded += static_cast<char>(0xC0 | code >> 6);
            folded += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            folded += static_cast<char>(0xE0 | code >> 12);
            folded += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            folded += static_cast<char>(0x80 | (code & 0x3F));
        }
        at += length;
    }
    return folded;
}

inline bool SameWindowsName(const std::string& first, const std::string& second) {
    return WindowsFolded(first) == WindowsFolded(second);
}
