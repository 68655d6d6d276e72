#include "common/window_base.h"

namespace vantero {

bool WindowBase::create(const wchar_t* class_name, DWORD ex_style, DWORD style,
                        const wchar_t* title, int x, int y, int width, int height, HWND parent,
                        HICON icon, UINT class_style) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!::GetClassInfoExW(instance, class_name, &wc)) {
        wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = class_style;
        wc.lpfnWndProc = window_proc;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = icon;
        wc.hIconSm = icon;
        wc.lpszClassName = class_name;
        ::RegisterClassExW(&wc);
    }
    HWND hwnd = ::CreateWindowExW(ex_style, class_name, title, style, x, y, width, height, parent,
                                  nullptr, instance, this);
    window_.reset(hwnd);
    return hwnd != nullptr;
}

LRESULT WindowBase::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    return ::DefWindowProcW(hwnd() ? hwnd() : creating_, message, wparam, lparam);
}

LRESULT CALLBACK WindowBase::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->creating_ = hwnd;
    }
    if (!self) return ::DefWindowProcW(hwnd, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        // The object no longer hears from this window; it must not destroy it a second time.
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        const LRESULT result = self->handle(message, wparam, lparam);
        if (self->window_.get() == hwnd) self->window_.release();
        return result;
    }
    return self->handle(message, wparam, lparam);
}

}  // namespace vantero
