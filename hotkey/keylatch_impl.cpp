// Building a KeyLatch: its container and text box, its look, and the load of its stored hotkey.
#include "hotkey/keylatch_impl.h"

#include <imm.h>

#include <cstdint>
#include <string_view>
#include <utility>

#include "common/keyboard_keys.h"
#include "common/text_win.h"
#include "hotkey/fixed_key_names.h"
#include "hotkey/keylatch_look.h"

namespace vantero {
namespace {

constexpr wchar_t kContainerClass[] = L"VanteroKeyLatch";
constexpr int kTextBoxId = 1;

constexpr LONG kExtendedKeyBit = 1 << 24;

std::string LayoutKeyName(LONG param) {
    wchar_t buffer[255] = {};
    const int n = ::GetKeyNameTextW(param, buffer, 255);
    return narrow(std::wstring_view(buffer, n > 0 ? static_cast<size_t>(n) : 0));
}

// The key's name: our own for the keys layouts leave unnamed, else the layout's. The layout is
// asked with the extended bit where a keyboard sets it, or Delete reads as the keypad's decimal
// key and Num Lock as Pause (they share scan codes); without it only if that gives no name, as
// Wine does for Ctrl+Break.
std::string KeyName(int virtual_key) {
    if (const std::string_view fixed = fixed_key_name(virtual_key); !fixed.empty()) {
        return std::string(fixed);
    }
    const UINT scan = ::MapVirtualKeyW(static_cast<UINT>(virtual_key), MAPVK_VK_TO_VSC);
    const auto param = static_cast<LONG>(scan << 16);
    if (virtual_key >= 0 && virtual_key <= 0xFF &&
        is_extended_key(static_cast<std::uint8_t>(virtual_key))) {
        if (std::string name = LayoutKeyName(param | kExtendedKeyBit); !name.empty()) return name;
    }
    return LayoutKeyName(param);
}

}  // namespace

KeyLatch::Impl::Impl(KeyLatch& owner, HWND parent, std::wstring name, const RECT& bounds,
                     const KeyLatchLayout& layout, bool run_mode)
    : owner_(owner),
      name_(std::move(name)),
      run_mode_(run_mode),
      capture_(&KeyName),
      back_color_(layout.BackColor),
      fore_color_(layout.ForeColor),
      font_desc_(layout.Font),
      border_style_(layout.BorderStyle),
      appearance_(layout.Appearance),
      tooltip_text_(layout.ToolTipText),
      store_{layout.SettingLocation, layout.INIFileName, layout.RegKeyName} {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    static const ATOM container_class = [instance] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &ContainerProc;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kContainerClass;
        return ::RegisterClassExW(&wc);
    }();
    (void)container_class;
    container_.reset(::CreateWindowExW(
        WS_EX_CONTROLPARENT, kContainerClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
        bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        nullptr, instance, static_cast<TextBoxOwner*>(this)));
    text_box_ = ::CreateWindowExW(
        0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
        container_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextBoxId)), instance,
        nullptr);
    // Keys only: an input method would insert the characters it composes.
    ::ImmAssociateContext(text_box_, nullptr);

    ::EnableWindow(text_box_, layout.Enabled);
    ApplyFont();
    ApplyBorderStyle();
    tooltip_ = CreateTextBoxTip(container_.get(), text_box_, tooltip_text_);

    if (!run_mode_) {
        ::SetWindowTextW(text_box_, layout.Text.empty() ? widen(kHotkeyPlaceholder).c_str()
                                                        : layout.Text.c_str());
        return;
    }
    hotkey_window_ = CreateHotKeyWindow();
    if (hotkey_window_) hotkey_window_hook_.emplace(hotkey_window_.get(), &owner_);
    if (text_box_) text_box_hook_.emplace(text_box_);
    const StoredHotkey stored = LoadStoredHotkey(store_, name_);
    capture_.restore(narrow(stored.text), narrow(stored.key_code), narrow(stored.mod_key_code));
    ShowCapture();
}

LRESULT CALLBACK KeyLatch::Impl::ContainerProc(HWND hwnd, UINT message, WPARAM wparam,
                                               LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = static_cast<Impl*>(
        reinterpret_cast<TextBoxOwner*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
    if (self) {
        switch (message) {
            case WM_SIZE:
                self->FitTextBox();
                return 0;
            case WM_SETFOCUS:
                ::SetFocus(self->text_box_);
                return 0;
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORSTATIC:  // what a disabled box asks
                if (reinterpret_cast<HWND>(lparam) == self->text_box_) {
                    return self->TextBoxColors(reinterpret_cast<HDC>(wparam));
                }
                break;
            case WM_NCDESTROY:
                ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
                break;
            default:
                break;
        }
    }
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT KeyLatch::Impl::TextBoxColors(HDC dc) {
    const COLORREF back = ResolveColor(back_color_);
    ::SetTextColor(dc, ::IsWindowEnabled(text_box_) ? ResolveColor(fore_color_)
                                                    : ::GetSysColor(COLOR_GRAYTEXT));
    ::SetBkColor(dc, back);
    if (!back_brush_ || brush_color_ != back) {
        back_brush_.reset(::CreateSolidBrush(back));
        brush_color_ = back;
    }
    return reinterpret_cast<LRESULT>(back_brush_.get());
}

// The box fills the control's client area, inside any border.
void KeyLatch::Impl::FitTextBox() const {
    RECT client{};
    ::GetClientRect(container_.get(), &client);
    ::SetWindowPos(text_box_, nullptr, 0, 0, client.right, client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void KeyLatch::Impl::ApplyBorderStyle() const {
    ApplyBorder(container_.get(), border_style_, appearance_);
    FitTextBox();
}

void KeyLatch::Impl::ApplyFont() {
    unique_gdi_object font = CreateLatchFont(font_desc_);
    ::SendMessageW(text_box_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);  // the old font goes only once the box no longer uses it
}

std::wstring KeyLatch::Impl::Text() const {
    const int length = ::GetWindowTextLengthW(text_box_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(text_box_, text.data(), length + 1)));
    return text;
}

void KeyLatch::Impl::ShowCapture() {
    const std::wstring text = widen(capture_.text());
    if (Text() != text) ::SetWindowTextW(text_box_, text.c_str());
    const auto end = static_cast<WPARAM>(text.size());
    ::SendMessageW(text_box_, EM_SETSEL, end, static_cast<LPARAM>(end));
}

void KeyLatch::Impl::RefuseAtRunTime() const {
    if (run_mode_) {
        throw KeyLatchError(kErrSetNotSupportedAtRuntime, "Can't set property at run time");
    }
}

}  // namespace vantero
