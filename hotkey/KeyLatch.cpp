// The control's public members, in their declared order; the work is done in keylatch_impl.cpp
// and keylatch_input.cpp.
#include "hotkey/KeyLatch.h"

#include <utility>

#include "hotkey/keylatch_impl.h"
#include "hotkey/keylatch_look.h"
#include "settings/modINI.h"

namespace vantero {

KeyLatch::KeyLatch(HWND parent, std::wstring name, const RECT& bounds, const KeyLatchLayout& layout,
                   bool run_mode)
    : impl_(std::make_unique<Impl>(*this, parent, std::move(name), bounds, layout, run_mode)) {}

KeyLatch::~KeyLatch() = default;

void KeyLatch::RaiseEvents() {
    impl_->RaiseEvents();
}

COLORREF KeyLatch::BackColor() const {
    return impl_->back_color_;
}
void KeyLatch::BackColor(COLORREF value) {
    impl_->back_color_ = value;
    impl_->Repaint();
    impl_->Notify(L"BackColor");
}

COLORREF KeyLatch::ForeColor() const {
    return impl_->fore_color_;
}
void KeyLatch::ForeColor(COLORREF value) {
    impl_->fore_color_ = value;
    impl_->Repaint();
    impl_->Notify(L"ForeColor");
}

bool KeyLatch::Enabled() const {
    return ::IsWindowEnabled(impl_->text_box_) != 0;
}
void KeyLatch::Enabled(bool value) {
    ::EnableWindow(impl_->text_box_, value);
    impl_->Notify(L"Enabled");
}

const KeyLatchFont& KeyLatch::Font() const {
    return impl_->font_desc_;
}
void KeyLatch::Font(const KeyLatchFont& value) {
    impl_->font_desc_ = value;
    impl_->ApplyFont();
    impl_->Notify(L"Font");
}

int KeyLatch::BorderStyle() const {
    return impl_->border_style_;
}
void KeyLatch::BorderStyle(int value) {
    impl_->border_style_ = value;
    impl_->ApplyBorderStyle();
    impl_->Notify(L"BorderStyle");
}

int KeyLatch::Appearance() const {
    return impl_->appearance_;
}
void KeyLatch::Appearance(int value) {
    impl_->appearance_ = value;
    impl_->ApplyBorderStyle();
    impl_->Notify(L"Appearance");
}

std::wstring KeyLatch::Text() const {
    return impl_->Text();
}

const std::wstring& KeyLatch::ToolTipText() const {
    return impl_->tooltip_text_;
}
void KeyLatch::ToolTipText(std::wstring value) {
    impl_->tooltip_text_ = std::move(value);
    SetTextBoxTip(impl_->tooltip_.get(), impl_->container_.get(), impl_->text_box_,
                  impl_->tooltip_text_);
    impl_->Notify(L"ToolTipText");
}

int KeyLatch::KeyCode() const {
    return impl_->capture_.key_code();
}
bool KeyLatch::HotKeyEnabled() const {
    return impl_->hotkey_enabled_;
}
void KeyLatch::HotKeyEnabled(bool value) {
    impl_->SetHotKeyEnabled(value);
}
int KeyLatch::ModKeyCode() const {
    return impl_->capture_.mod_key_code();
}
DWORD KeyLatch::SaveSettings() {
    return SaveStoredHotkey(impl_->store_, impl_->name_, impl_->Text(), impl_->capture_.key_code(),
                            impl_->capture_.mod_key_code());
}

const std::wstring& KeyLatch::INIFileName() const {
    return impl_->store_.ini_file_name;
}
void KeyLatch::INIFileName(std::wstring value) {
    impl_->RefuseAtRunTime();
    impl_->store_.ini_file_name = std::move(value);
    SetIniPath(impl_->store_.ini_file_name);
    impl_->Notify(L"INIFileName");
}

int KeyLatch::SettingLocation() const {
    return impl_->store_.setting_location;
}
void KeyLatch::SettingLocation(int value) {
    impl_->RefuseAtRunTime();
    impl_->store_.setting_location = value;
    impl_->Notify(L"SettingLocation");
}

const std::wstring& KeyLatch::RegKeyName() const {
    return impl_->store_.reg_key_name;
}
void KeyLatch::RegKeyName(std::wstring value) {
    impl_->RefuseAtRunTime();
    impl_->store_.reg_key_name = std::move(value);
    impl_->Notify(L"RegKeyName");
}

HWND KeyLatch::hwnd() const {
    return impl_->container_.get();
}
HWND KeyLatch::text_box() const {
    return impl_->text_box_;
}
HWND KeyLatch::hotkey_window() const {
    return impl_->hotkey_window_.get();
}
const std::wstring& KeyLatch::name() const {
    return impl_->name_;
}

void KeyLatch::Move(const RECT& bounds) {
    ::MoveWindow(impl_->container_.get(), bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, TRUE);
}

}  // namespace vantero
