#include "hotkey/window_subclass.h"

#include "common/external_strings.h"
#include "common/key_event_tag.h"

// The procedures are swapped with SetWindowLongPtrW/GetWindowLongPtrW and called through
// CallWindowProcW: the Ptr forms hold a procedure on 32-bit and 64-bit Windows alike, and the
// W forms keep the chain Unicode like the rest of the UI. SetPropW/GetPropW/RemovePropW name
// the same atoms as the A functions would.

namespace vantero {
namespace {

constexpr const wchar_t* kWinProc = external::kWinProcProperty;
constexpr const wchar_t* kObject = external::kObjectProperty;

// Read on every message, so the chain is whatever the property says at that moment.
LRESULT call_previous(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    const auto previous = reinterpret_cast<WNDPROC>(::GetPropW(hwnd, kWinProc));
    if (!previous) return ::DefWindowProcW(hwnd, message, wparam, lparam);
    return ::CallWindowProcW(previous, hwnd, message, wparam, lparam);
}

TextBoxOwner* owner_of(HWND text_box) {
    const HWND parent = ::GetParent(text_box);
    if (!parent) return nullptr;
    // A WindowBase keeps its address there (null once the window is going away).
    return static_cast<TextBoxOwner*>(
        reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(parent, GWLP_USERDATA)));
}

// WM_MOUSEMOVE to WM_MBUTTONDBLCLK; the wheel is left to the box.
bool IsMouseMessage(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK;
}

void Replace(HWND window, WNDPROC procedure) {
    const LONG_PTR previous =
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    ::SetPropW(window, kWinProc, reinterpret_cast<HANDLE>(previous));
}

void put_back(HWND window) {
    // Never install a null procedure on a window that was not hooked.
    if (HANDLE previous = ::GetPropW(window, kWinProc)) {
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
}

}  // namespace

void hook_text_box(HWND text_box) {
    Replace(text_box, &text_box_window_proc);
}

void unhook_text_box(HWND text_box) {
    put_back(text_box);
    ::RemovePropW(text_box, kWinProc);
}

LRESULT CALLBACK text_box_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CONTEXTMENU:
            return 0;
        // Keys are the control's alone: the box never edits, moves its caret or pastes on them.
        // Keys the program types are no one's capture.
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (key_event_tag::is_ours(static_cast<std::uintptr_t>(::GetMessageExtraInfo())))
                return 0;
            if (TextBoxOwner* owner = owner_of(hwnd)) owner->on_text_box_key_down(LOWORD(wparam));
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (key_event_tag::is_ours(static_cast<std::uintptr_t>(::GetMessageExtraInfo())))
                return 0;
            if (TextBoxOwner* owner = owner_of(hwnd)) owner->on_text_box_key_up(LOWORD(wparam));
            return 0;
        case WM_CHAR:
        case WM_SYSCHAR:
        case WM_DEADCHAR:
        case WM_SYSDEADCHAR:
        // Editing by message would change the text as surely as typing.
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
            return 0;
        default:
            if (IsMouseMessage(message)) {
                if (TextBoxOwner* owner = owner_of(hwnd)) {
                    owner->on_text_box_mouse(message, wparam, lparam);
                    if (!::IsWindow(hwnd)) return 0;  // the host's handler closed the control
                }
            }
            break;
    }
    return call_previous(hwnd, message, wparam, lparam);
}

void hook_hotkey_window(HWND window, HotkeyReceiver* control) {
    ::SetPropW(window, kObject, static_cast<HANDLE>(control));
    Replace(window, &hotkey_window_proc);
}

void unhook_hotkey_window(HWND window) {
    put_back(window);
    ::RemovePropW(window, kObject);
    ::RemovePropW(window, kWinProc);
}

LRESULT CALLBACK hotkey_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_HOTKEY) {
        if (auto* control = static_cast<HotkeyReceiver*>(::GetPropW(hwnd, kObject)))
            control->raise_events();
        return 0;
    }
    // Everything else goes on to the dialog procedure: a top-level window that answered
    // WM_QUERYENDSESSION with 0 would hold up log-off and shut-down.
    return call_previous(hwnd, message, wparam, lparam);
}

}  // namespace vantero
