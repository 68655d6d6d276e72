#pragma once
// A selector's entries and its look apart from the drawing: which entry a name shows, what
// colours an entry is drawn in, how far the list drops.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/palette.h"

namespace vantero {

struct EntryColours {
    Colour back;
    Colour text;
};

class SelectorEntries {
public:
    void add(std::wstring_view name) { names_.emplace_back(name); }
    std::size_t size() const { return names_.size(); }
    // The entry's name; empty for an index the list does not have (none picked).
    std::wstring name(std::size_t index) const;
    // The index that shows name: the empty entry (the first) for a name the list does not have.
    std::size_t index_of(std::wstring_view name) const;

    // closed_box: the field of the closed box rather than an entry of the dropped list;
    // selected: the entry under the pointer, or the closed box while it has the focus.
    static EntryColours colours(bool closed_box, bool selected, Colour back);
    // The window's height with the list dropped: the closed box, the entries and the list's frame.
    static int dropped_height(int closed_height, int list_rows, int entry_height);

private:
    std::vector<std::wstring> names_;
};

}  // namespace vantero
