// What the control does with the text box's keys and mouse, and with writes of hotkey_enabled.
#include <utility>

#include "common/external_strings.h"
#include "common/window_util.h"
#include "hotkey/key_latch_impl.h"

namespace vantero {
namespace {

constexpr int kHotKeyId = 1;

int modifier_bits_now() {
    return (::GetKeyState(VK_SHIFT) < 0 ? kShiftBit : 0) |
           (::GetKeyState(VK_CONTROL) < 0 ? kCtrlBit : 0) |
           (::GetKeyState(VK_MENU) < 0 ? kAltBit : 0);
}

// Button 1 left, 2 right, 4 middle; for a move, the buttons held.
int mouse_button(UINT message, WPARAM wparam) {
    switch (message) {
        case WM_MOUSEMOVE:
            return (wparam & MK_LBUTTON ? 1 : 0) | (wparam & MK_RBUTTON ? 2 : 0) |
                   (wparam & MK_MBUTTON ? 4 : 0);
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return 2;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            return 4;
        default:
            return 1;
    }
}

}  // namespace

void KeyLatch::Impl::on_text_box_key_down(int key_code) {
    if (capture_.ignores(key_code)) return;
    int key = key_code;
    int shift = modifier_bits_now();
    if (!raise(owner_.events.on_key_down, key, shift)) return;
    capture_.key_down(key, shift, ::GetKeyState(VK_LWIN) < 0);
    // No registration outlives a change of the combination.
    registration_.disable();
    show_capture();
}

void KeyLatch::Impl::on_text_box_key_up(int key_code) {
    capture_.key_up(key_code);
    show_capture();
    int key = key_code;
    int shift = modifier_bits_now();
    raise(owner_.events.on_key_up, key, shift);
}

void KeyLatch::Impl::on_text_box_mouse(UINT message, WPARAM wparam, LPARAM lparam) {
    KeyLatchEvents& events = owner_.events;
    int button = mouse_button(message, wparam);
    int shift = (wparam & MK_SHIFT ? kShiftBit : 0) | (wparam & MK_CONTROL ? kCtrlBit : 0) |
                (::GetKeyState(VK_MENU) < 0 ? kAltBit : 0);
    const POINT at = point_from(lparam);
    float x = static_cast<float>(at.x);
    float y = static_cast<float>(at.y);
    switch (message) {
        case WM_MOUSEMOVE:
            raise(events.on_mouse_move, button, shift, x, y);
            return;
        case WM_LBUTTONDBLCLK:
            double_click_ = true;
            raise(events.on_double_click);
            return;
        case WM_LBUTTONUP:
            if (!raise(events.on_mouse_up, button, shift, x, y)) return;
            if (!std::exchange(double_click_, false)) raise(events.on_click);
            return;
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            raise(events.on_mouse_up, button, shift, x, y);
            return;
        default:  // a button going down, also the second press of a right or middle double click
            double_click_ = false;
            raise(events.on_mouse_down, button, shift, x, y);
            return;
    }
}

void KeyLatch::Impl::create_own_hotkey_window() {
    if (hotkey_window_ || !run_mode_) return;
    hotkey_window_ = create_hotkey_window();
    if (hotkey_window_) hotkey_window_hook_.emplace(hotkey_window_.get(), &owner_);
}

bool KeyLatch::Impl::register_own_hotkey() {
    create_own_hotkey_window();  // a registration may come before the posted creation
    // Without its window a registration would go to the thread, where nothing would see it.
    if (!hotkey_window_) return false;
    return ::RegisterHotKey(hotkey_window_.get(), kHotKeyId,
                            static_cast<UINT>(capture_.mod_key_code()),
                            static_cast<UINT>(capture_.key_code())) != 0;
}

void KeyLatch::Impl::unregister_own_hotkey() const {
    if (hotkey_window_) ::UnregisterHotKey(hotkey_window_.get(), kHotKeyId);
}

bool KeyLatch::Impl::show_error(const wchar_t* text) const {
    const std::weak_ptr<bool> alive = alive_;
    ::MessageBoxW(::GetAncestor(hwnd(), GA_ROOT), text, external::kErrorCaption,
                  MB_ICONHAND | MB_OK);
    return !alive.expired();
}

void KeyLatch::Impl::set_hotkey_enabled(bool value) {
    switch (registration_.set_enabled(value, has_trigger())) {
        case HotkeyRegistration::Outcome::nothing_captured:
            show_error(external::kNotSetHotkey);
            return;
        case HotkeyRegistration::Outcome::refused:
            show_error(external::kHotkeyTaken);
            return;
        case HotkeyRegistration::Outcome::done:
            return;
    }
}

}  // namespace vantero
