#pragma once
// The editor's clickable pictures and labels: owner-drawn push buttons, so a click is a real
// button click (pressed look, capture, BN_CLICKED on release inside) whatever they look like.
#include <windows.h>

namespace vantero {

HWND create_flat_button(HWND parent, int id, const RECT& box, const wchar_t* text);

// A label used as a button: its window text centred on a plain background.
void draw_label_button(const DRAWITEMSTRUCT& item, HFONT font, COLORREF text, COLORREF back,
                       COLORREF pressed_back);

// A picture used as a button; framed while pressed.
void draw_picture_button(const DRAWITEMSTRUCT& item, HBITMAP picture, COLORREF pressed_frame);

}  // namespace vantero
