#pragma once
// Subclassing of the KeyLatch windows: the text box, whose key, character and paste messages the
// control takes over, and the hidden window that receives the control's WM_HOTKEY. Each keeps
// its previous procedure in its own "WinProc" property and gets it back on unhooking.
#include <windows.h>

#include "common/window_base.h"

namespace vantero {

// What the hidden window hands its WM_HOTKEY to: the control that registered the hotkey.
class HotkeyReceiver {
public:
    virtual void raise_events() = 0;

protected:
    ~HotkeyReceiver() = default;
};

// What the text box's procedure hands over to the control that owns the box: the box's parent
// window, whose procedure finds it.
class TextBoxOwner : public WindowBase {
public:
    virtual void on_text_box_key_down(int key_code) = 0;
    virtual void on_text_box_key_up(int key_code) = 0;
    // Mouse messages, raised to the host before the box handles them.
    virtual void on_text_box_mouse(UINT message, WPARAM wparam, LPARAM lparam) = 0;
};

void hook_text_box(HWND text_box);
void unhook_text_box(HWND text_box);
LRESULT CALLBACK text_box_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// "Object" holds the control's address and does not own it.
void hook_hotkey_window(HWND window, HotkeyReceiver* control);
void unhook_hotkey_window(HWND window);
LRESULT CALLBACK hotkey_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Keeps a window hooked while it lives, so a half-built control never leaves a hook behind.
class ScopedTextBoxHook {
public:
    explicit ScopedTextBoxHook(HWND text_box) : window_(text_box) { hook_text_box(window_); }
    ~ScopedTextBoxHook() { unhook_text_box(window_); }
    ScopedTextBoxHook(const ScopedTextBoxHook&) = delete;
    ScopedTextBoxHook& operator=(const ScopedTextBoxHook&) = delete;

private:
    HWND window_;
};

class ScopedHotkeyWindowHook {
public:
    ScopedHotkeyWindowHook(HWND window, HotkeyReceiver* control) : window_(window) {
        hook_hotkey_window(window_, control);
    }
    ~ScopedHotkeyWindowHook() { unhook_hotkey_window(window_); }
    ScopedHotkeyWindowHook(const ScopedHotkeyWindowHook&) = delete;
    ScopedHotkeyWindowHook& operator=(const ScopedHotkeyWindowHook&) = delete;

private:
    HWND window_;
};

}  // namespace vantero
