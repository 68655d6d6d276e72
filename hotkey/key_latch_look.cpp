#include "hotkey/key_latch_look.h"

#include <commctrl.h>

namespace vantero {
namespace {

TOOLINFOW tool_for(HWND container, HWND text_box, const std::wstring& text) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // also accepted by comctl32 before version 6
    // Not TTF_SUBCLASS: the control relays the box's mouse itself, so only the control subclasses
    // the box (Wine's comctl32 even leaves its subclass behind once the tip is gone).
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = container;
    tool.uId = reinterpret_cast<UINT_PTR>(text_box);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    return tool;
}

}  // namespace

unique_gdi_object make_latch_font(const KeyLatchFont& font, int dpi) {
    const int height = -::MulDiv(font.points, dpi, 72);
    return unique_gdi_object(::CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                           FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                           DEFAULT_PITCH | FF_DONTCARE, font.face.c_str()));
}

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

unique_window create_text_box_tip(HWND container, HWND text_box, const std::wstring& text) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    unique_window tip(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, container,
                                        nullptr, ::GetModuleHandleW(nullptr), nullptr));
    if (tip) {
        TOOLINFOW tool = tool_for(container, text_box, text);
        ::SendMessageW(tip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tip;
}

void relay_to_tip(HWND tip, HWND text_box, UINT message, WPARAM wparam, LPARAM lparam) {
    MSG relayed{};
    relayed.hwnd = text_box;
    relayed.message = message;
    relayed.wParam = wparam;
    relayed.lParam = lparam;
    relayed.time = static_cast<DWORD>(::GetMessageTime());
    const DWORD at = ::GetMessagePos();
    relayed.pt = POINT{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    ::SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void set_text_box_tip(HWND tip, HWND container, HWND text_box, const std::wstring& text) {
    TOOLINFOW tool = tool_for(container, text_box, text);
    ::SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace vantero
