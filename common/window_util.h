#pragma once
// Small window chores the program's windows share.
#include <windows.h>

#include <functional>
#include <string>

#include "common/scale.h"

namespace vantero {

// A mouse message's point, in the client coordinates it came in (negative off the left or top).
inline POINT point_from(LPARAM lparam) {
    return {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

// A window's text, whole.
std::wstring window_text(HWND window);

// Moves and sizes a window onto a rectangle of its parent's client area, and redraws it.
void move_to(HWND window, const RECT& box);

// Makes a window see-through wherever it paints the colour key.
void make_see_through(HWND window, COLORREF colour_key);

// The resolution a window is drawn at: its monitor's where the system scales per monitor, else
// the system's. Windows before 10 have no per-window resolution.
int window_dpi(HWND window);
// The system's resolution, for what is sized before its window exists.
int system_dpi();

// WM_DPICHANGED, for a window moved to a monitor of another scale: lay_out draws it anew and
// sizes it at the new scale, then it goes where the system suggests.
void follow_dpi_change(HWND window, WPARAM wparam, LPARAM lparam,
                       const std::function<void(Scale)>& lay_out);

}  // namespace vantero
