#pragma once
// The inside of a KeyLatch: its windows, its capture and its registration. Private to the
// control's own files.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "common/unique_handle.h"
#include "hotkey/KeyLatch.h"
#include "hotkey/hotkey_window.h"
#include "hotkey/keylatch_settings.h"
#include "hotkey/modSubClass.h"

namespace vantero {

class KeyLatch::Impl final : public TextBoxOwner {
public:
    Impl(KeyLatch& owner, HWND parent, std::wstring name, const RECT& bounds,
         const KeyLatchLayout& layout, bool run_mode);
    // Member order does the tear-down: both hooks go, then the hidden window, then the rest.
    ~Impl() = default;
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    // keylatch_input.cpp
    void OnTextBoxKeyDown(int key_code) override;
    void OnTextBoxKeyUp(int key_code) override;
    void OnTextBoxMouse(UINT message, WPARAM wparam, LPARAM lparam) override;
    void RaiseEvents() { Raise(owner_.events.HotKeyPressed); }
    void SetHotKeyEnabled(bool value);

    // keylatch_impl.cpp
    std::wstring Text() const;
    void ApplyFont();
    void ApplyBorderStyle() const;
    void Repaint() const { ::InvalidateRect(text_box_, nullptr, TRUE); }
    void Notify(const wchar_t* property) { Raise(owner_.events.PropertyChanged, property); }
    void RefuseAtRunTime() const;

    KeyLatch& owner_;
    const std::wstring name_;
    const bool run_mode_;
    // Expires with the control, so a handler that destroys it is noticed afterwards.
    const std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    HotkeyCapture capture_;
    bool hotkey_enabled_ = false;
    bool double_click_ = false;  // the button-up that ends a double click is no click

    COLORREF back_color_;
    COLORREF fore_color_;
    KeyLatchFont font_desc_;
    int border_style_;
    int appearance_;
    std::wstring tooltip_text_;
    KeyLatchStore store_;

    unique_gdi_object font_;
    unique_gdi_object back_brush_;
    COLORREF brush_color_ = 0;
    unique_window container_;
    HWND text_box_ = nullptr;  // a child of container_
    unique_window tooltip_;
    unique_hotkey_window hotkey_window_;
    std::optional<ScopedTextBoxHook> text_box_hook_;
    std::optional<ScopedHotKeyWindowHook> hotkey_window_hook_;

private:
    static LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT TextBoxColors(HDC dc);
    void FitTextBox() const;
    void ShowCapture();

    bool RegisterOwnHotKey() const;
    void UnregisterOwnHotKey() const;
    // Returns false when the control was destroyed while the message was up.
    bool ShowError(const wchar_t* text) const;

    // Calls a host handler through a copy, as the host may replace it from inside. Returns false
    // when the handler destroyed the control.
    template <typename Handler, typename... Args>
    bool Raise(const Handler& handler, Args&... args) const {
        if (!handler) return true;
        const std::weak_ptr<bool> alive = alive_;
        const Handler call = handler;
        call(args...);
        return !alive.expired();
    }
};

}  // namespace vantero
