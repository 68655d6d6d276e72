#include "common/drag_move.h"

namespace vantero {

void drag_move(HWND window) {
    if (::IsZoomed(window)) return;
    ::ReleaseCapture();
    ::SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace vantero
