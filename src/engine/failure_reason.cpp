#include "engine/failure_reason.h"

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 character at `at` and its code point;
// 0 when the byte there starts none (a stray continuation byte, an overlong
// form, a surrogate, a code point beyond U+10FFFF, a cut-off sequence).
std::size_t CharacterAt(const std::string& text, std::size_t at, char32_t& code) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    char32_t least = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
        least = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - at < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0u) != 0x80u) return 0;
        code = code << 6 | (next & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < least || code > 0x10FFFF || surrogate ? 0 : length;
}

bool IsControl(char32_t code) { return code < 0x20 || (code >= 0x7F && code <= 0x9F); }

}  // namespace

std::string ShownReason(const std::string& text) {
    std::string shown;
    std::size_t at = 0;
    for (std::size_t characters = 0; at < text.size() && characters < kReasonLimit; ++characters) {
        char32_t code = 0;
        const std::size_t length = CharacterAt(text, at, code);
        if (length == 0) {
            shown += kReplacement;
            ++at;
            continue;
        }
        if (IsControl(code)) {
            shown += ' ';
        } else {
            shown.append(text, at, length);
        }
        at += length;
    }
    return shown;
}
