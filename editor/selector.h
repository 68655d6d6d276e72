#pragma once
// A drop-down list without typing, in the editor's dark colours. The system's classic combo box
// ignores text and background colours, so the closed box is painted here and every entry is
// owner-drawn.
#include <windows.h>

#include <string>
#include <string_view>

#include "common/scale.h"
#include "common/unique_handle.h"
#include "editor/selector_entries.h"

namespace vantero {

class Selector {
public:
    // scale: the owner's, read whenever the control draws.
    Selector(int id, COLORREF back, const Scale& scale);
    Selector(const Selector&) = delete;
    Selector& operator=(const Selector&) = delete;

    // The parent window destroys the control.
    bool create(HWND parent);
    // box: the closed size, at the owner's scale; the font is the caller's.
    void place(const RECT& box, HFONT font, int list_rows);

    int id() const { return id_; }
    HWND hwnd() const { return hwnd_; }

    void add(std::wstring_view name);
    // The shown entry, empty when none is picked.
    std::wstring text() const;
    // Shows the entry with that name; the empty entry for a name the list does not have.
    void show(std::wstring_view name);

    // WM_DRAWITEM for this control, which the parent receives.
    void draw_item(const DRAWITEMSTRUCT& item) const;

private:
    static LRESULT CALLBACK subclass_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR id, DWORD_PTR self);
    void paint() const;

    int id_;
    SelectorEntries entries_;  // as the list holds them
    COLORREF back_;
    unique_gdi_object back_brush_;
    HFONT font_ = nullptr;
    const Scale& scale_;
    HWND hwnd_ = nullptr;
};

}  // namespace vantero
