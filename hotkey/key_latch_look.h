#pragma once
// The KeyLatch's appearance: colours, font, border and tooltip of its text box.
#include <windows.h>

#include <string>

#include "common/gdi_win.h"
#include "common/unique_handle.h"
#include "hotkey/key_latch.h"

namespace vantero {

// Points are turned into pixels at the given resolution.
unique_gdi_object make_latch_font(const KeyLatchFont& font, int dpi);

// border_style 0: none; otherwise a single line, sunken when appearance is three-dimensional.
void apply_border(HWND window, int border_style, int appearance);

// A tooltip for the text box; an empty text shows no tip. The tip learns of the mouse only
// through relay_to_tip, with the box's mouse messages.
unique_window create_text_box_tip(HWND container, HWND text_box, const std::wstring& text);
void set_text_box_tip(HWND tip, HWND container, HWND text_box, const std::wstring& text);
void relay_to_tip(HWND tip, HWND text_box, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace vantero
