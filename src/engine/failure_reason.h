#pragma once

#include <cstddef>
#include <string>

// The words a failed item's row shows after " Failed: ". They come from
// outside as often as not (an encoder's message in whatever bytes it printed,
// a program name from a profile), the row draws them through the UTF-16 calls
// and has room for a few words, so every reason passes through here.
// Portable: no <windows.h>.

// Longest reason a row shows, in characters (code points, not bytes).
constexpr std::size_t kReasonLimit = 100;

// The text as a row can show it: valid UTF-8 (each byte that is not part of a
// well-formed character becomes U+FFFD), every control character (tab, line
// end, C1 code) a blank, and cut after kReasonLimit characters, never inside
// one.
std::string ShownReason(const std::string& text);
