#include "common/window_util.h"

#include "common/gdi_win.h"

namespace vantero {

std::wstring window_text(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

void move_to(HWND window, const RECT& box) {
    ::MoveWindow(window, box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
}

void make_see_through(HWND window, COLORREF colour_key) {
    const LONG_PTR ex_style = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(window, colour_key, 0, LWA_COLORKEY);
}

int window_dpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto get_dpi_for_window =
        reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (get_dpi_for_window && window) {
        if (const UINT dpi = get_dpi_for_window(window)) return static_cast<int>(dpi);
    }
    return system_dpi();
}

void follow_dpi_change(HWND window, WPARAM wparam, LPARAM lparam,
                       const std::function<void(Scale)>& lay_out) {
    lay_out(Scale(HIWORD(wparam)));
    const auto* suggested = reinterpret_cast<const RECT*>(lparam);
    ::SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int system_dpi() {
    return ::GetDeviceCaps(ScreenDc().get(), LOGPIXELSY);
}

}  // namespace vantero
