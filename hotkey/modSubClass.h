#pragma once
// Subclassing of the KeyLatch windows: the text box, whose key, character and paste messages the
// control takes over, and the hidden window that receives the control's WM_HOTKEY. Each keeps
// its previous procedure in its own "WinProc" property and gets it back on unhooking.
#include <windows.h>

namespace vantero {

class KeyLatch;

// What the text box's procedure hands over to the control that owns the box. The box's parent
// window keeps a pointer to its TextBoxOwner in GWLP_USERDATA (null once it is going away).
class TextBoxOwner {
public:
    virtual void OnTextBoxKeyDown(int key_code) = 0;
    virtual void OnTextBoxKeyUp(int key_code) = 0;
    // Mouse messages, raised to the host before the box handles them.
    virtual void OnTextBoxMouse(UINT message, WPARAM wparam, LPARAM lparam) = 0;

protected:
    ~TextBoxOwner() = default;
};

void HookTextBox(HWND text_box);
void UnhookTextBox(HWND text_box);
LRESULT CALLBACK TextBoxWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// "Object" holds the control's address and does not own it.
void HookHotKeyWindow(HWND window, KeyLatch* control);
void UnhookHotKeyWindow(HWND window);
LRESULT CALLBACK HotKeyWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Keeps a window hooked while it lives, so a half-built control never leaves a hook behind.
class ScopedTextBoxHook {
public:
    explicit ScopedTextBoxHook(HWND text_box) : window_(text_box) { HookTextBox(window_); }
    ~ScopedTextBoxHook() { UnhookTextBox(window_); }
    ScopedTextBoxHook(const ScopedTextBoxHook&) = delete;
    ScopedTextBoxHook& operator=(const ScopedTextBoxHook&) = delete;

private:
    HWND window_;
};

class ScopedHotKeyWindowHook {
public:
    ScopedHotKeyWindowHook(HWND window, KeyLatch* control) : window_(window) {
        HookHotKeyWindow(window_, control);
    }
    ~ScopedHotKeyWindowHook() { UnhookHotKeyWindow(window_); }
    ScopedHotKeyWindowHook(const ScopedHotKeyWindowHook&) = delete;
    ScopedHotKeyWindowHook& operator=(const ScopedHotKeyWindowHook&) = delete;

private:
    HWND window_;
};

}  // namespace vantero
