#pragma once
// The KeyLatch's appearance: colours, font, border and tooltip of its text box.
#include <windows.h>

#include <string>

#include "common/unique_handle.h"
#include "hotkey/KeyLatch.h"

namespace vantero {

// A colour with the top bit set names a system colour by the index in its low byte.
COLORREF ResolveColor(COLORREF color);

// Points are turned into pixels at the screen's vertical resolution.
unique_gdi_object CreateLatchFont(const KeyLatchFont& font);

// BorderStyle 0: none; otherwise a single line, sunken when Appearance is three-dimensional.
void ApplyBorder(HWND window, int border_style, int appearance);

// A tooltip for the text box; an empty text shows no tip. The tip learns of the mouse only
// through RelayToTip, with the box's mouse messages.
unique_window CreateTextBoxTip(HWND container, HWND text_box, const std::wstring& text);
void SetTextBoxTip(HWND tip, HWND container, HWND text_box, const std::wstring& text);
void RelayToTip(HWND tip, HWND text_box, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace vantero
