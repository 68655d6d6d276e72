#include "editor/selector_entries.h"

namespace vantero {
namespace {

constexpr Colour kText = palette::kWhite;
constexpr Colour kHighlight = palette::kOrange;  // the entry under the pointer in the list
constexpr Colour kHighlightText = palette::kDark;
constexpr Colour kFocusBack = rgb(72, 38, 8);  // the closed box while it has the focus

}  // namespace

std::wstring SelectorEntries::name(std::size_t index) const {
    return index < names_.size() ? names_[index] : std::wstring();
}

std::size_t SelectorEntries::index_of(std::wstring_view name) const {
    for (std::size_t i = 0; i < names_.size() && !name.empty(); ++i) {
        if (names_[i] == name) return i;
    }
    return 0;
}

EntryColours SelectorEntries::colours(bool closed_box, bool selected, Colour back) {
    if (!selected) return {back, kText};
    return closed_box ? EntryColours{kFocusBack, kText} : EntryColours{kHighlight, kHighlightText};
}

int SelectorEntries::dropped_height(int closed_height, int list_rows, int entry_height) {
    return closed_height + list_rows * entry_height + 2;
}

}  // namespace vantero
