#include "app/moveit.h"

namespace vantero {

void DragMove(HWND window) {
    if (::IsZoomed(window)) return;
    ::ReleaseCapture();
    ::SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace vantero
