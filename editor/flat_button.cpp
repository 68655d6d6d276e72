#include "editor/flat_button.h"

#include <string>

#include "common/gdi_win.h"

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
    HBRUSH brush = ::CreateSolidBrush(pressed ? pressed_back : back);
    ::FillRect(item.hDC, &item.rcItem, brush);
    ::DeleteObject(brush);

    std::wstring caption(static_cast<size_t>(::GetWindowTextLengthW(item.hwndItem)), L'\0');
    ::GetWindowTextW(item.hwndItem, caption.data(), static_cast<int>(caption.size()) + 1);
    RECT box = item.rcItem;
    if (pressed) ::OffsetRect(&box, 1, 1);
    draw_text(item.hDC, caption, box, text, font, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void draw_picture_button(const DRAWITEMSTRUCT& item, HBITMAP picture, COLORREF pressed_frame) {
    draw_bitmap(item.hDC, picture, item.rcItem.left, item.rcItem.top);
    if (item.itemState & ODS_SELECTED) {
        HBRUSH brush = ::CreateSolidBrush(pressed_frame);
        ::FrameRect(item.hDC, &item.rcItem, brush);
        ::DeleteObject(brush);
    }
}

}  // namespace vantero
