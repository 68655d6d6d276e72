#pragma once
// The KeyLatch's border, which the system draws from its window styles.
#include <windows.h>

namespace vantero {

// border_style 0: none; otherwise a single line, sunken when appearance is three-dimensional.
void apply_border(HWND window, int border_style, int appearance);

}  // namespace vantero
