#include "editor/remark_panel.h"

#include "common/gdi_win.h"
#include "common/palette.h"
#include "common/window_util.h"
#include "editor/editor_ids.h"
#include "editor/flat_button.h"

namespace vantero {

namespace look = editor_look;

namespace {

int line_height(HFONT font) {
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

}  // namespace

RemarkPanel::RemarkPanel(const EditorFonts& fonts, const Scale& scale)
    : fonts_(fonts), scale_(scale), remark_brush_(::CreateSolidBrush(look::kRemarkBack)) {}

bool RemarkPanel::create_child(HWND parent) {
    if (!create(L"VanteroEditRemarkPanel", 0, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, L"", 0,
                0, 0, 0, parent)) {
        return false;
    }
    ::SetWindowLongPtrW(hwnd(), GWLP_ID, editor_ids::kRemarkPanel);
    remark_box_ = ::CreateWindowExW(
        0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0, hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(editor_ids::kRemarkBox)),
        ::GetModuleHandleW(nullptr), nullptr);
    // As its hint says. A longer remark already stored is still shown whole.
    ::SendMessageW(remark_box_, EM_LIMITTEXT, look::kMaxRemarkLength, 0);
    save_button_ = create_flat_button(hwnd(), editor_ids::kSaveRemarkButton, RECT{}, look::kSave);
    return true;
}

void RemarkPanel::place() {
    move_to(hwnd(), at_scale(look::kRemarkPanel));

    // A one-line edit box puts its text at the top; the panel paints the box's full height and
    // the edit control sits in its middle, one line high.
    ::SendMessageW(remark_box_, WM_SETFONT, reinterpret_cast<WPARAM>(font_of(fonts_.remark)),
                   FALSE);
    RECT text = at_scale(look::kRemarkBox);
    const int line = line_height(font_of(fonts_.remark));
    const int height = text.bottom - text.top;
    const int edit_height = line < height ? line : height;
    text.top += (height - edit_height) / 2;
    text.bottom = text.top + edit_height;
    move_to(remark_box_, text);
    const int margin = scale_.px(4);
    ::SendMessageW(remark_box_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                   MAKELPARAM(margin, margin));
    move_to(save_button_, at_scale(look::kSaveRemarkButton));
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void RemarkPanel::set_remark(const std::wstring& remark) {
    ::SetWindowTextW(remark_box_, remark.c_str());
    ::SendMessageW(remark_box_, EM_SETSEL, remark.size(), remark.size());
}

std::wstring RemarkPanel::remark() const {
    return window_text(remark_box_);
}

void RemarkPanel::paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd(), &ps);
    RECT client;
    ::GetClientRect(hwnd(), &client);
    fill_rect(dc, client, look::kPanelBack);
    const RECT remark_box = at_scale(look::kRemarkBox);
    const RECT hint_box = at_scale(look::kRemarkHintBox);
    ::FillRect(dc, &remark_box, static_cast<HBRUSH>(remark_brush_.get()));
    ::FillRect(dc, &hint_box, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    draw_text(dc, look::kHint, hint_box, look::kHintGreen, font_of(fonts_.text),
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::EndPaint(hwnd(), &ps);
}

LRESULT RemarkPanel::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paint();
            return 0;
        case WM_CTLCOLOREDIT: {
            HDC dc = reinterpret_cast<HDC>(wparam);
            ::SetTextColor(dc, palette::kWhite);
            ::SetBkColor(dc, look::kRemarkBack);
            return reinterpret_cast<LRESULT>(remark_brush_.get());
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            if (item.CtlID != static_cast<UINT>(editor_ids::kSaveRemarkButton)) break;
            draw_label_button(item, font_of(fonts_.button), palette::kWhite, look::kButtonBack,
                              look::kButtonPressed);
            return TRUE;
        }
        case WM_LBUTTONDOWN: {  // the remark box's painted margin belongs to it too
            const POINT at = point_from(lparam);
            const RECT remark_box = at_scale(look::kRemarkBox);
            if (::PtInRect(&remark_box, at)) ::SetFocus(remark_box_);
            return 0;
        }
        case WM_COMMAND:  // the save button's click belongs to the editor
            return ::SendMessageW(::GetParent(hwnd()), message, wparam, lparam);
        default:
            break;
    }
    return WindowBase::handle(message, wparam, lparam);
}

}  // namespace vantero
