#include "controls/field_text.h"

#include <cstring>

void FieldText::Set(const char* text) { text_.assign(text ? text : "", text ? strnlen(text, kMaxText) : 0); }

bool FieldText::CopyTo(char* buffer, size_t size) const {
    if (!buffer || size == 0) return false;
    if (text_.size() >= size) {
        buffer[0] = '\0';
        return false;
    }
    std::memcpy(buffer, text_.c_str(), text_.size() + 1);
    return true;
}
