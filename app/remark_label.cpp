#include "app/remark_label.h"

#include "common/external_strings.h"
#include "common/gdi_win.h"
#include "common/palette.h"
#include "common/window_util.h"

namespace vantero {

RemarkLabel::RemarkLabel(HWND parent, std::function<void()> on_click)
    : on_click_(std::move(on_click)) {
    // The caption is also the window text, so accessibility tools (and tests) can read it.
    create(external::kRemarkClass, 0, WS_CHILD | WS_VISIBLE, caption_.c_str(), 0, 0, 0, 0, parent);
    ::SetClassLongPtrW(hwnd(), GCLP_HCURSOR,
                       reinterpret_cast<LONG_PTR>(::LoadCursorW(nullptr, IDC_HAND)));
}

void RemarkLabel::place(const RECT& bounds, HFONT font, int band) {
    font_ = font;
    band_ = band;
    move_to(hwnd(), bounds);
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void RemarkLabel::set_caption(std::wstring text) {
    caption_ = std::move(text);
    ::SetWindowTextW(hwnd(), caption_.c_str());
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT RemarkLabel::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hwnd(), &ps);
            RECT box;
            ::GetClientRect(hwnd(), &box);
            fill_rect(dc, box, palette::kDark);
            // Centred on the same band as the row's text boxes, so a row reads as a line.
            box.bottom = box.top + band_;
            draw_text(dc, caption_, box, palette::kOrange, font_,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            ::EndPaint(hwnd(), &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            pressed_ = true;
            ::SetCapture(hwnd());
            return 0;
        case WM_LBUTTONUP: {
            const bool was_pressed = pressed_;
            pressed_ = false;
            ::ReleaseCapture();
            RECT box;
            ::GetClientRect(hwnd(), &box);
            const POINT at = point_from(lparam);
            if (was_pressed && ::PtInRect(&box, at) && on_click_) on_click_();
            return 0;
        }
        case WM_CAPTURECHANGED:
            pressed_ = false;
            return 0;
        default:
            return WindowBase::handle(message, wparam, lparam);
    }
}

}  // namespace vantero
