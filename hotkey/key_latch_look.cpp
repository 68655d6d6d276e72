#include "hotkey/key_latch_look.h"

namespace vantero {

void apply_border(HWND window, int border_style, int appearance) {
    LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
    LONG_PTR ex_style =
        ::GetWindowLongPtrW(window, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
    if (border_style != 0) {
        if (appearance != 0) {
            ex_style |= WS_EX_CLIENTEDGE;
        } else {
            style |= WS_BORDER;
        }
    }
    ::SetWindowLongPtrW(window, GWL_STYLE, style);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, ex_style);
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace vantero
