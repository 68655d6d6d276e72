// What the control does with the text box's keys and mouse, and with writes of HotKeyEnabled.
#include <utility>

#include "hotkey/keylatch_impl.h"
#include "hotkey/keylatch_look.h"

namespace vantero {
namespace {

constexpr int kHotKeyId = 1;

int ShiftState() {
    return (::GetKeyState(VK_SHIFT) < 0 ? kShiftBit : 0) |
           (::GetKeyState(VK_CONTROL) < 0 ? kCtrlBit : 0) |
           (::GetKeyState(VK_MENU) < 0 ? kAltBit : 0);
}

// Button 1 left, 2 right, 4 middle; for a move, the buttons held.
int MouseButton(UINT message, WPARAM wparam) {
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

void KeyLatch::Impl::OnTextBoxKeyDown(int key_code) {
    if (HotkeyCapture::is_dropped_key(key_code)) return;
    int key = key_code;
    int shift = ShiftState();
    if (!Raise(owner_.events.KeyDown, key, shift)) return;
    capture_.key_down(key, shift, ::GetKeyState(VK_LWIN) < 0);
    // No registration outlives a change of the combination.
    if (hotkey_enabled_) SetHotKeyEnabled(false);
    ShowCapture();
}

void KeyLatch::Impl::OnTextBoxKeyUp(int key_code) {
    capture_.key_up(key_code);
    ShowCapture();
    int key = key_code;
    int shift = ShiftState();
    Raise(owner_.events.KeyUp, key, shift);
}

void KeyLatch::Impl::OnTextBoxMouse(UINT message, WPARAM wparam, LPARAM lparam) {
    RelayToTip(tooltip_.get(), text_box_, message, wparam, lparam);
    KeyLatchEvents& events = owner_.events;
    int button = MouseButton(message, wparam);
    int shift = (wparam & MK_SHIFT ? kShiftBit : 0) | (wparam & MK_CONTROL ? kCtrlBit : 0) |
                (::GetKeyState(VK_MENU) < 0 ? kAltBit : 0);
    float x = static_cast<float>(static_cast<short>(LOWORD(lparam)));
    float y = static_cast<float>(static_cast<short>(HIWORD(lparam)));
    switch (message) {
        case WM_MOUSEMOVE:
            Raise(events.MouseMove, button, shift, x, y);
            return;
        case WM_LBUTTONDBLCLK:
            double_click_ = true;
            Raise(events.DblClick);
            return;
        case WM_LBUTTONUP:
            if (!Raise(events.MouseUp, button, shift, x, y)) return;
            if (!std::exchange(double_click_, false)) Raise(events.Click);
            return;
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            Raise(events.MouseUp, button, shift, x, y);
            return;
        default:  // a button going down, also the second press of a right or middle double click
            double_click_ = false;
            Raise(events.MouseDown, button, shift, x, y);
            return;
    }
}

bool KeyLatch::Impl::RegisterOwnHotKey() const {
    // Without its window a registration would go to the thread, where nothing would see it.
    if (!hotkey_window_) return false;
    return ::RegisterHotKey(hotkey_window_.get(), kHotKeyId,
                            static_cast<UINT>(capture_.mod_key_code()),
                            static_cast<UINT>(capture_.key_code())) != 0;
}

void KeyLatch::Impl::UnregisterOwnHotKey() const {
    if (hotkey_window_) ::UnregisterHotKey(hotkey_window_.get(), kHotKeyId);
}

bool KeyLatch::Impl::ShowError(const wchar_t* text) const {
    const std::weak_ptr<bool> alive = alive_;
    ::MessageBoxW(::GetAncestor(container_.get(), GA_ROOT), text, L"error", MB_ICONHAND | MB_OK);
    return !alive.expired();
}

void KeyLatch::Impl::SetHotKeyEnabled(bool value) {
    if (value == hotkey_enabled_) return;
    if (!value) {
        UnregisterOwnHotKey();
        hotkey_enabled_ = false;
        return;
    }
    if (capture_.key_code() == 0) {
        ShowError(L"Not set hotkey");
        return;
    }
    if (RegisterOwnHotKey()) {
        hotkey_enabled_ = true;
        return;
    }
    if (!ShowError(L"Hotkey already exists, please change a hotkey.")) return;
    capture_.clear();
    ShowCapture();
}

}  // namespace vantero
