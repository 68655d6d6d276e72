#include "editor/flat_button.h"

#include <string>

#include "common/gdi_win.h"
#include "common/window_util.h"

namespace vantero {

HWND create_flat_button(HWND parent, int id, const RECT& box, const wchar_t* text) {
    return ::CreateWindowExW(
        0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_OWNERDRAW, box.left,
        box.top, box.right - box.left, box.bottom - box.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

void draw_label_button(const DRAWITEMSTRUCT& item, HFONT font, COLORREF text, COLORREF back,
                       COLORREF pressed_back) {
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    fill_rect(item.hDC, item.rcItem, pressed ? pressed_back : back);

    const std::wstring caption = window_text(item.hwndItem);
    RECT box = item.rcItem;
    if (pressed) ::OffsetRect(&box, 1, 1);
    draw_text(item.hDC, caption, box, text, font, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void draw_picture_button(const DRAWITEMSTRUCT& item, HBITMAP picture, COLORREF pressed_frame) {
    draw_bitmap(item.hDC, picture, item.rcItem.left, item.rcItem.top);
    if (item.itemState & ODS_SELECTED) {
        frame_rect(item.hDC, item.rcItem, pressed_frame);
    }
}

}  // namespace vantero
