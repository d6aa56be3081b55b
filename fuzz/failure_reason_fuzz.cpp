// The reason a failed item's row shows, from whatever an encoder printed:
// well-formed UTF-8, no control characters, at most kReasonLimit characters,
// and a text that needs none of that comes through as it was, cut only at
// the limit.
//
// Input: the bytes of a pass's output.
#include <cstdint>
#include <string>

#include "engine/failure_reason.h"
#include "engine/pass_output.h"
#include "fuzz_support.h"

namespace {

bool In(unsigned char byte, unsigned char low, unsigned char high) { return byte >= low && byte <= high; }

// The well-formed byte sequences of the Unicode standard (its table 3-7),
// each character's code point handed to `character`; false at the first byte
// that fits none.
template <typename Character>
bool WellFormed(const std::string& text, Character character) {
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = [&](std::size_t i) {
            return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0;
        };
        const unsigned char lead = byte(0);
        std::size_t length = 0;
        if (lead <= 0x7F) {
            length = 1;
        } else if (In(lead, 0xC2, 0xDF)) {
            length = In(byte(1), 0x80, 0xBF) ? 2 : 0;
        } else if (lead == 0xE0 || lead == 0xED || In(lead, 0xE1, 0xEC) || In(lead, 0xEE, 0xEF)) {
            const bool second = lead == 0xE0   ? In(byte(1), 0xA0, 0xBF)
                                : lead == 0xED ? In(byte(1), 0x80, 0x9F)
                                               : In(byte(1), 0x80, 0xBF);
            length = second && In(byte(2), 0x80, 0xBF) ? 3 : 0;
        } else if (In(lead, 0xF0, 0xF4)) {
            const bool second = lead == 0xF0   ? In(byte(1), 0x90, 0xBF)
                                : lead == 0xF4 ? In(byte(1), 0x80, 0x8F)
                                               : In(byte(1), 0x80, 0xBF);
            length = second && In(byte(2), 0x80, 0xBF) && In(byte(3), 0x80, 0xBF) ? 4 : 0;
        }
        if (length == 0) return false;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i) code = code << 6 | (byte(i) & 0x3F);
        character(code);
        at += length;
    }
    return true;
}

bool IsControl(char32_t code) { return code < 0x20 || (code >= 0x7F && code <= 0x9F); }

void CheckReason(const std::string& text) {
    const std::string reason = ShownReason(text);
    std::size_t characters = 0;
    bool control = false;
    FUZZ_CHECK(WellFormed(reason, [&](char32_t code) {
        ++characters;
        control = control || IsControl(code);
    }));
    FUZZ_CHECK(!control && characters <= kReasonLimit);
    bool textControl = false;
    if (WellFormed(text, [&](char32_t code) { textControl = textControl || IsControl(code); }) && !textControl) {
        FUZZ_CHECK(text.compare(0, reason.size(), reason) == 0);
        FUZZ_CHECK(reason.size() == text.size() || characters == kReasonLimit);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string output = AsText(data, size);
    CheckReason(output);
    CheckReason(ProblemLine(output));
    return 0;
}
