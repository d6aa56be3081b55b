#pragma once

#include <cstddef>
#include <string>

// The one line of text a display field shows (the output directory).
class FieldText {
public:
    static constexpr size_t kMaxText = 511;

    // A longer text is cut to kMaxText characters; a null text clears it.
    void Set(const char* text);
    const std::string& Text() const { return text_; }
    // Copies the text with its terminator when it fits in size bytes and
    // returns true; otherwise leaves an empty text (when size allows any) and
    // returns false, so a caller never reads an unset buffer.
    bool CopyTo(char* buffer, size_t size) const;

private:
    std::string text_;
};
