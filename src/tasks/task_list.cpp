#include "tasks/task_list.h"

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
