// The control's public members, in their declared order; the work is done in key_latch_impl.cpp
// and key_latch_input.cpp.
#include "hotkey/key_latch.h"

#include <utility>

#include "hotkey/key_latch_impl.h"
#include "common/window_util.h"
#include "settings/settings_file.h"

namespace vantero {

KeyLatch::KeyLatch(HWND parent, std::wstring name, const RECT& bounds, const KeyLatchLayout& layout,
                   bool run_mode, IniLocation settings)
    : impl_(std::make_unique<Impl>(*this, parent, std::move(name), bounds, layout, run_mode,
                                   std::move(settings))) {}

KeyLatch::~KeyLatch() = default;

void KeyLatch::suspend_hotkey() {
    impl_->registration_.suspend();
}

bool KeyLatch::resume_hotkey() {
    return impl_->registration_.resume();
}

bool KeyLatch::has_trigger() const {
    return impl_->has_trigger();
}

void KeyLatch::raise_events() {
    impl_->raise_events();
}

COLORREF KeyLatch::back_color() const {
    return impl_->back_color_;
}
void KeyLatch::back_color(COLORREF value) {
    impl_->back_color_ = value;
    impl_->repaint();
    impl_->notify(L"back_color");
}

COLORREF KeyLatch::fore_color() const {
    return impl_->fore_color_;
}
void KeyLatch::fore_color(COLORREF value) {
    impl_->fore_color_ = value;
    impl_->repaint();
    impl_->notify(L"fore_color");
}

bool KeyLatch::enabled() const {
    return ::IsWindowEnabled(impl_->text_box_) != 0;
}
void KeyLatch::enabled(bool value) {
    ::EnableWindow(impl_->text_box_, value);
    impl_->notify(L"Enabled");
}

const KeyLatchFont& KeyLatch::font() const {
    return impl_->font_desc_;
}
void KeyLatch::font(const KeyLatchFont& value) {
    impl_->font_desc_ = value;
    // At the resolution the system gives the window; a host that scales otherwise places it anew.
    impl_->apply_font(Scale(window_dpi(impl_->hwnd())));
    impl_->notify(L"Font");
}

int KeyLatch::border_style() const {
    return impl_->border_style_;
}
void KeyLatch::border_style(int value) {
    impl_->border_style_ = value;
    impl_->apply_border_style();
    impl_->notify(L"border_style");
}

int KeyLatch::appearance() const {
    return impl_->appearance_;
}
void KeyLatch::appearance(int value) {
    impl_->appearance_ = value;
    impl_->apply_border_style();
    impl_->notify(L"appearance");
}

std::wstring KeyLatch::text() const {
    return impl_->text();
}

const std::wstring& KeyLatch::tooltip_text() const {
    return impl_->tooltip_text_;
}
void KeyLatch::tooltip_text(std::wstring value) {
    impl_->tooltip_text_ = std::move(value);
    impl_->notify(L"tooltip_text");
}

int KeyLatch::key_code() const {
    return impl_->capture_.key_code();
}
bool KeyLatch::hotkey_enabled() const {
    return impl_->registration_.enabled();
}
void KeyLatch::hotkey_enabled(bool value) {
    impl_->set_hotkey_enabled(value);
}
bool KeyLatch::try_enable_hotkey() {
    return impl_->registration_.try_enable(impl_->has_trigger());
}
int KeyLatch::mod_key_code() const {
    return impl_->capture_.mod_key_code();
}
DWORD KeyLatch::save_settings() {
    return save_stored_hotkey(impl_->store_, impl_->name_, impl_->text(),
                              impl_->capture_.key_code(), impl_->capture_.mod_key_code());
}

const std::wstring& KeyLatch::ini_file_name() const {
    return impl_->ini_file_name_;
}
void KeyLatch::ini_file_name(std::wstring value) {
    refuse_at_run_time(impl_->run_mode_);
    impl_->ini_file_name_ = std::move(value);
    impl_->notify(L"ini_file_name");
}

int KeyLatch::setting_location() const {
    return impl_->store_.setting_location;
}
void KeyLatch::setting_location(int value) {
    refuse_at_run_time(impl_->run_mode_);
    impl_->store_.setting_location = value;
    impl_->notify(L"setting_location");
}

const std::wstring& KeyLatch::reg_key_name() const {
    return impl_->store_.reg_key_name;
}
void KeyLatch::reg_key_name(std::wstring value) {
    refuse_at_run_time(impl_->run_mode_);
    impl_->store_.reg_key_name = std::move(value);
    impl_->notify(L"reg_key_name");
}

HWND KeyLatch::hwnd() const {
    return impl_->hwnd();
}
HWND KeyLatch::text_box() const {
    return impl_->text_box_;
}
HWND KeyLatch::hotkey_window() const {
    return impl_->hotkey_window_.get();
}
void KeyLatch::place(const RECT& bounds, Scale scale) {
    move_to(impl_->hwnd(), bounds);
    impl_->apply_font(scale);
}

}  // namespace vantero
