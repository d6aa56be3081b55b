#include "tasks/task_list.h"

#include <cctype>

bool TaskList::SameNameIgnoringAsciiCase(const std::string& first, const std::string& second) {
    if (first.size() != second.size()) return false;
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(first[i])) != std::tolower(static_cast<unsigned char>(second[i]))) {
            return false;
        }
    }
    return true;
}

ConversionItem TaskList::Copy(int index) const {
    return Contains(index) ? items_[static_cast<std::size_t>(index)] : ConversionItem{};
}

bool TaskList::Replace(int index, const ConversionItem& item) {
    if (!Contains(index)) return false;
    items_[static_cast<std::size_t>(index)] = item;
    return true;
}

bool TaskList::Remove(int index) {
    if (!Contains(index)) return false;
    items_.erase(items_.begin() + index);
    return true;
}
