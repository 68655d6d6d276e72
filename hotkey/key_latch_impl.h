#pragma once
// The inside of a KeyLatch: its windows, its capture and its registration. Private to the
// control's own files.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "common/unique_handle.h"
#include "hotkey/hotkey_registration.h"
#include "hotkey/hotkey_window.h"
#include "hotkey/key_latch.h"
#include "hotkey/key_latch_settings.h"
#include "hotkey/window_subclass.h"

namespace vantero {

class KeyLatch::Impl final : public TextBoxOwner {
public:
    Impl(KeyLatch& owner, HWND parent, std::wstring name, const RECT& bounds,
         const KeyLatchLayout& layout, bool run_mode, IniLocation settings);
    // Both hooks go, then the hidden window and the control's own window, then the rest.
    ~Impl() override;
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    // key_latch_input.cpp
    void on_text_box_key_down(int key_code) override;
    void on_text_box_key_up(int key_code) override;
    void on_text_box_mouse(UINT message, WPARAM wparam, LPARAM lparam) override;
    void raise_events() { raise(owner_.events.on_hotkey_pressed); }
    void set_hotkey_enabled(bool value);
    // A key is captured, and one that can be named.
    bool has_trigger() const {
        return capture_.key_code() != 0 && !capture_.ignores(capture_.key_code());
    }

    // key_latch_impl.cpp
    std::wstring text() const;
    void apply_font(Scale scale);
    void apply_border_style() const;
    void repaint() const { ::InvalidateRect(text_box_, nullptr, TRUE); }
    void notify(const wchar_t* property) { raise(owner_.events.on_property_changed, property); }

    KeyLatch& owner_;
    const std::wstring name_;
    const bool run_mode_;
    // Expires with the control, so a handler that destroys it is noticed afterwards.
    const std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    HotkeyCapture capture_;
    HotkeyRegistration registration_{[this] { return register_own_hotkey(); },
                                     [this] { unregister_own_hotkey(); }};
    bool double_click_ = false;  // the button-up that ends a double click is no click

    COLORREF back_color_;
    COLORREF fore_color_;
    KeyLatchFont font_desc_;
    int border_style_;
    int appearance_;
    std::wstring tooltip_text_;
    std::wstring ini_file_name_;  // the settings file is the program's, wherever it is
    KeyLatchStore store_;

    unique_gdi_object font_;
    unique_gdi_object back_brush_;
    COLORREF brush_color_ = 0;
    HWND text_box_ = nullptr;  // a child of the control's window
    unique_hotkey_window hotkey_window_;
    std::optional<ScopedTextBoxHook> text_box_hook_;
    std::optional<ScopedHotkeyWindowHook> hotkey_window_hook_;

private:
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    LRESULT text_box_colours(HDC dc);
    void fit_text_box() const;
    void show_capture();

    // The hidden window is created once the thread dispatches messages again (the host's first
    // paint need not wait for nine of them), or by the first registration if that comes first.
    void create_own_hotkey_window();
    bool register_own_hotkey();
    void unregister_own_hotkey() const;
    // Returns false when the control was destroyed while the message was up.
    bool show_error(const wchar_t* text) const;

    // Calls a host handler through a copy, as the host may replace it from inside. Returns false
    // when the handler destroyed the control.
    template <typename Handler, typename... Args>
    bool raise(const Handler& handler, Args&... args) const {
        if (!handler) return true;
        const std::weak_ptr<bool> alive = alive_;
        const Handler call = handler;
        call(args...);
        return !alive.expired();
    }
};

}  // namespace vantero
