#pragma once
#include <windows.h>

namespace vantero {

// Lets the user drag a borderless window by its skin: the system moves it as it would by a
// caption bar. A maximised window is left where it is.
void drag_move(HWND window);

}  // namespace vantero
