#include "tasks/list_navigation.h"

#include <algorithm>

namespace {

constexpr int kPageRows = 3;

NavigationTarget Select(int row) { return {true, row}; }
NavigationTarget Rehighlight() { return {false, -1}; }

}  // namespace

NavigationTarget NavigationTargetFor(NavigationKey key, int mark, int count) {
    const int last = count - 1;
    switch (key) {
        case NavigationKey::PageDown:
            return mark >= last ? Rehighlight() : Select(std::min(mark + kPageRows, last));
        case NavigationKey::PageUp:
            return mark <= 0 ? Rehighlight() : Select(std::max(mark - kPageRows, 0));
        case NavigationKey::Up:
            return mark <= 0 ? Rehighlight() : Select(mark - 1);
        case NavigationKey::Down:
            return mark >= last ? Rehighlight() : Select(mark + 1);
        case NavigationKey::Home:
            return count >= 1 ? Select(0) : Rehighlight();
        case NavigationKey::End:
            return count >= 1 ? Select(last) : Rehighlight();
    }
    return Rehighlight();
}
