#pragma once
// A window whose procedure finds its C++ object: the object's address travels in the creation
// data and is kept in GWLP_USERDATA from WM_NCCREATE on.
#include <windows.h>

#include "common/unique_handle.h"

namespace vantero {

class WindowBase {
public:
    WindowBase() = default;
    virtual ~WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND hwnd() const { return window_.get(); }

protected:
    // Registers the class once per process (by name) and creates the window.
    bool create(const wchar_t* class_name, DWORD ex_style, DWORD style, const wchar_t* title, int x,
                int y, int width, int height, HWND parent, HICON icon = nullptr,
                UINT class_style = 0);
    void destroy() { window_.reset(); }

    virtual LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);

private:
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    unique_window window_;
    HWND creating_ = nullptr;  // the handle while CreateWindowEx is still running
};

}  // namespace vantero
