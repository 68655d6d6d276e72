// Building a KeyLatch: its container and text box, its look, and the load of its stored hotkey.
#include "hotkey/key_latch_impl.h"

#include <imm.h>

#include <string_view>
#include <utility>

#include "common/external_strings.h"
#include "common/gdi_win.h"
#include "common/text_win.h"
#include "common/window_util.h"
#include "hotkey/fixed_key_names.h"
#include "hotkey/key_latch_look.h"

namespace vantero {
namespace {

constexpr const wchar_t* kContainerClass = external::kKeyLatchClass;
constexpr int kTextBoxId = 1;
constexpr UINT kCreateHotkeyWindow = WM_APP + 1;

constexpr LONG kExtendedKeyBit = 1 << 24;

// The key's name, the layout asked through its scan code.
std::string system_key_name(int virtual_key) {
    const UINT scan = ::MapVirtualKeyW(static_cast<UINT>(virtual_key), MAPVK_VK_TO_VSC);
    return key_name_of(virtual_key, [scan](bool extended) {
        const auto param = static_cast<LONG>(scan << 16 | (extended ? kExtendedKeyBit : 0));
        wchar_t buffer[255] = {};
        const int n = ::GetKeyNameTextW(param, buffer, 255);
        return narrow(std::wstring_view(buffer, n > 0 ? static_cast<size_t>(n) : 0));
    });
}

}  // namespace

KeyLatch::Impl::Impl(KeyLatch& owner, HWND parent, std::wstring name, const RECT& bounds,
                     const KeyLatchLayout& layout, bool run_mode, IniLocation settings)
    : owner_(owner),
      name_(std::move(name)),
      run_mode_(run_mode),
      capture_(&system_key_name),
      back_color_(layout.back_color),
      fore_color_(layout.fore_color),
      font_desc_(layout.font),
      border_style_(layout.border_style),
      appearance_(layout.appearance),
      tooltip_text_(layout.tooltip_text),
      ini_file_name_(layout.ini_file_name),
      store_{layout.setting_location, layout.reg_key_name, std::move(settings)} {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    create(kContainerClass, WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, L"",
           bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent);
    text_box_ = ::CreateWindowExW(
        0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0, hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextBoxId)), instance, nullptr);
    // Keys only: an input method would insert the characters it composes.
    ::ImmAssociateContext(text_box_, nullptr);

    ::EnableWindow(text_box_, layout.enabled);
    apply_font(Scale(window_dpi(parent)));  // until the host places it at its own scale
    apply_border_style();

    if (!run_mode_) {
        ::SetWindowTextW(text_box_, layout.text.empty() ? widen(kHotkeyPlaceholder).c_str()
                                                        : layout.text.c_str());
        return;
    }
    ::PostMessageW(hwnd(), kCreateHotkeyWindow, 0, 0);
    if (text_box_) text_box_hook_.emplace(text_box_);
    const StoredHotkey stored = load_stored_hotkey(store_, name_);
    capture_.restore(narrow(stored.text), narrow(stored.key_code), narrow(stored.mod_key_code));
    show_capture();
}

KeyLatch::Impl::~Impl() {
    hotkey_window_hook_.reset();
    text_box_hook_.reset();
    hotkey_window_.reset();
    destroy();
}

LRESULT KeyLatch::Impl::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SIZE:
            fit_text_box();
            return 0;
        case WM_SETFOCUS:
            ::SetFocus(text_box_);
            return 0;
        case kCreateHotkeyWindow:
            create_own_hotkey_window();
            return 0;
        case WM_ERASEBKGND: {
            RECT client;
            ::GetClientRect(hwnd(), &client);
            ::FillRect(reinterpret_cast<HDC>(wparam), &client, ::GetSysColorBrush(COLOR_WINDOW));
            return 1;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:  // what a disabled box asks
            if (reinterpret_cast<HWND>(lparam) == text_box_) {
                return text_box_colours(reinterpret_cast<HDC>(wparam));
            }
            break;
        default:
            break;
    }
    return WindowBase::handle(message, wparam, lparam);
}

LRESULT KeyLatch::Impl::text_box_colours(HDC dc) {
    const COLORREF back = resolve_colour(back_color_);
    ::SetTextColor(dc, ::IsWindowEnabled(text_box_) ? resolve_colour(fore_color_)
                                                    : ::GetSysColor(COLOR_GRAYTEXT));
    ::SetBkColor(dc, back);
    if (!back_brush_ || brush_color_ != back) {
        back_brush_.reset(::CreateSolidBrush(back));
        brush_color_ = back;
    }
    return reinterpret_cast<LRESULT>(back_brush_.get());
}

// The box fills the control's client area, inside any border.
void KeyLatch::Impl::fit_text_box() const {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    ::SetWindowPos(text_box_, nullptr, 0, 0, client.right, client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void KeyLatch::Impl::apply_border_style() const {
    apply_border(hwnd(), border_style_, appearance_);
    fit_text_box();
}

void KeyLatch::Impl::apply_font(Scale scale) {
    unique_gdi_object font = make_font(font_desc_.face, font_desc_.points, scale, font_desc_.bold,
                                       FontQuality::system_default);
    ::SendMessageW(text_box_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);  // the old font goes only once the box no longer uses it
}

std::wstring KeyLatch::Impl::text() const {
    return window_text(text_box_);
}

void KeyLatch::Impl::show_capture() {
    const std::wstring text = widen(capture_.text());
    if (this->text() != text) ::SetWindowTextW(text_box_, text.c_str());
    const auto end = static_cast<WPARAM>(text.size());
    ::SendMessageW(text_box_, EM_SETSEL, end, static_cast<LPARAM>(end));
}

}  // namespace vantero
