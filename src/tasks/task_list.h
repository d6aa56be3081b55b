#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tasks/conversion_item.h"

// The ordered store of conversion items that the main window owns; row r of the
// task list control shows item r. Items go in and out whole: Copy hands out a
// value, Replace takes one back. An index out of range is refused rather than
// trusted, since indices held by callers are not adjusted when items move.
class TaskList {
public:
    // How two file names compare on this system. The portable default tells
    // ASCII letters apart from their case only; the program gives the
    // system's own comparison, which knows every script.
    using SameNameFunction = bool (*)(const std::string& first, const std::string& second);
    static bool SameNameIgnoringAsciiCase(const std::string& first, const std::string& second);
    explicit TaskList(SameNameFunction sameName = SameNameIgnoringAsciiCase) : sameName_(sameName) {}
    bool SameName(const std::string& first, const std::string& second) const { return sameName_(first, second); }

    int Count() const { return static_cast<int>(items_.size()); }
    bool Contains(int index) const { return index >= 0 && index < Count(); }

    // A copy of the item at the index; a default item when there is none.
    ConversionItem Copy(int index) const;
    // Overwrites the item at the index; false (and no change) when there is none.
    bool Replace(int index, const ConversionItem& item);
    void Append(const ConversionItem& item) { items_.push_back(item); }
    // Removes the item at the index; later items move down by one.
    bool Remove(int index);
    void RemoveAll() { items_.clear(); }

private:
    SameNameFunction sameName_;
    std::vector<ConversionItem> items_;
};
