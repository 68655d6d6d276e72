#include "editor/editor_window.h"

#include <array>
#include <optional>
#include <utility>

#include "common/drag_move.h"
#include "common/external_strings.h"
#include "common/gdi_win.h"
#include "common/palette.h"
#include "common/picture_win.h"
#include "common/rows.h"
#include "common/text_win.h"
#include "common/window_base.h"
#include "common/window_util.h"
#include "editor/editor_fonts.h"
#include "editor/editor_ids.h"
#include "editor/editor_look.h"
#include "editor/editor_model.h"
#include "editor/editor_session.h"
#include "editor/flat_button.h"
#include "editor/key_names.h"
#include "editor/remark_panel.h"
#include "editor/selector.h"
#include "resources/resource_ids.h"
#include "settings/row_store.h"
#include "settings/save_error.h"
#include "settings/settings_file.h"

namespace vantero {
namespace {

namespace look = editor_look;

// Whether set.ini's code page holds a character.
bool file_holds(std::wstring_view character) {
    return characters_outside_code_page(character).empty();
}

}  // namespace

class EditorWindow::Impl final : public WindowBase {
public:
    Impl(EditorHost& host, IniLocation settings)
        : host_(host),
          settings_(std::move(settings)),
          session_(host, {[this](int row, const std::wstring& display,
                                 const std::optional<TargetKeys>& keys) {
                              return write_row_keys(settings_, row, display, keys);
                          },
                          [this](int row, const std::wstring& remark) {
                              return write_row_remark(settings_, row, remark);
                          },
                          [this](unsigned long error) { return ask_retry(error); }}) {}
    ~Impl() override { destroy(); }

    void load();
    void open(int row_index, bool remark_mode);

private:
    // Everything that lives only as long as the window: unloading drops it in one go.
    struct Parts {
        Scale scale;  // the window's one resolution, which its controls read
        EditorFonts fonts;
        unique_gdi_object skin;
        unique_gdi_object close_picture;
        std::array<Selector, 3> selectors{
            Selector(editor_ids::kFirstKeyList, palette::kDark, scale),
            Selector(editor_ids::kSecondKeyList, palette::kDark, scale),
            Selector(editor_ids::kThirdKeyList, palette::kBlack, scale)};
        RemarkPanel panel{fonts, scale};
        HWND focus = nullptr;  // given back the focus when the window is activated again
    };

    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    void create_controls();
    // Fonts, pictures, the controls' places and the window's size at a scale.
    void apply_dpi(Scale scale);
    RECT at_scale(const Rect& at_96_dpi) const { return to_rect(scaled(at_96_dpi, parts_->scale)); }
    void fill_selectors();
    void paint();
    void draw_item(const DRAWITEMSTRUCT& item);
    void command(int id, int code);
    void save_remark();
    bool ask_retry(DWORD error) const;
    void back_to_main();
    void close();

    EditorHost& host_;
    const IniLocation settings_;
    EditorSession session_;
    std::unique_ptr<Parts> parts_;
};

void EditorWindow::Impl::load() {
    if (hwnd()) return;
    parts_ = std::make_unique<Parts>();
    const Scale system(system_dpi());
    HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VANTERO));
    // Unowned and without WS_EX_TOOLWINDOW: while it is open the main window is hidden, so it
    // keeps a taskbar button of its own to come back to.
    if (!create(external::kEditorClass, 0, WS_POPUP | WS_CLIPCHILDREN, look::kTitle, 0, 0,
                system.px(look::kWidth), system.px(look::kHeight), nullptr, icon)) {
        parts_.reset();
        return;
    }
    make_see_through(hwnd(), palette::kSeeThrough);
    create_controls();
    apply_dpi(Scale(window_dpi(hwnd())));
    // Centred on the screen at the size its resolution gave it.
    const Scale scale = parts_->scale;
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - scale.px(look::kWidth)) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - scale.px(look::kHeight)) / 2;
    ::SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    fill_selectors();
}

void EditorWindow::Impl::apply_dpi(Scale scale) {
    Parts& parts = *parts_;
    parts.scale = scale;
    EditorFonts fonts = make_editor_fonts(scale);
    std::swap(parts.fonts, fonts);  // the old ones go once the controls have the new
    parts.skin = load_bitmap_for_dpi(IDB_SKIN_EDIT, look::kSkinSize, scale);
    parts.close_picture = load_bitmap_for_dpi(
        IDB_CLOSE_BUTTON, {look::kCloseButton.width(), look::kCloseButton.height()}, scale);

    HFONT text_font = font_of(parts.fonts.text);
    const std::array<Rect, 3> boxes{look::kFirstKeyList, look::kSecondKeyList, look::kThirdKeyList};
    for (size_t n = 0; n < boxes.size(); ++n) {
        parts.selectors[n].place(at_scale(boxes[n]), text_font, look::kListRows);
    }
    for (const auto& [id, box] : {std::pair{editor_ids::kSaveKeysButton, look::kSaveKeysButton},
                                  std::pair{editor_ids::kCloseButton, look::kCloseButton}}) {
        move_to(::GetDlgItem(hwnd(), id), at_scale(box));
    }
    parts.panel.place();
    ::SetWindowPos(hwnd(), nullptr, 0, 0, parts.scale.px(look::kWidth),
                   parts.scale.px(look::kHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

// Placed, with their fonts, by apply_dpi.
void EditorWindow::Impl::create_controls() {
    for (Selector& selector : parts_->selectors) selector.create(hwnd());
    create_flat_button(hwnd(), editor_ids::kSaveKeysButton, RECT{}, look::kSave);
    create_flat_button(hwnd(), editor_ids::kCloseButton, RECT{}, L"");
    parts_->panel.create_child(hwnd());
}

// The lists get every entry at once, each drawn once when it is complete: an opening never finds
// them half filled, and nothing runs other messages in the middle.
void EditorWindow::Impl::fill_selectors() {
    const std::array<const std::vector<std::string>*, 3> names{
        &first_key_list_names(), &other_key_list_names(), &other_key_list_names()};
    for (size_t n = 0; n < names.size(); ++n) {
        Selector& selector = parts_->selectors[n];
        ::SendMessageW(selector.hwnd(), WM_SETREDRAW, FALSE, 0);
        for (const std::string& name : *names[n]) selector.add(widen(name));
        ::SendMessageW(selector.hwnd(), WM_SETREDRAW, TRUE, 0);
    }
}

void EditorWindow::Impl::open(int row_index, bool remark_mode) {
    if (row_index < 0 || row_index >= kRowCount) return;
    load();
    if (!hwnd() || !parts_ || !session_.open(row_index)) return;
    for (int n = 0; n < 3; ++n)
        parts_->selectors[static_cast<size_t>(n)].show(widen(session_.model().picked(n)));
    parts_->panel.set_remark(session_.opened_remark());

    HWND panel = parts_->panel.hwnd();
    if (remark_mode) {
        ::ShowWindow(panel, SW_SHOW);
        ::SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        parts_->focus = parts_->panel.remark_box();
    } else {
        ::ShowWindow(panel, SW_HIDE);
        parts_->focus = parts_->selectors[0].hwnd();
    }
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    ::SetFocus(parts_->focus);
}

bool EditorWindow::Impl::ask_retry(DWORD error) const {
    const std::wstring message =
        describe_save_error(settings_, error) + external::kEditorRetryOrKeep;
    return ::MessageBoxW(hwnd(), message.c_str(), external::kSaveFailedCaption,
                         MB_ICONWARNING | MB_RETRYCANCEL) == IDRETRY;
}

void EditorWindow::Impl::save_remark() {
    if (const auto refused = session_.save_remark(parts_->panel.remark(), file_holds)) {
        ::MessageBoxW(hwnd(), refused->c_str(), external::kRemarkRefusedCaption,
                      MB_ICONWARNING | MB_OK);
        ::SetFocus(parts_->panel.remark_box());
        return;
    }
    back_to_main();
}

void EditorWindow::Impl::back_to_main() {
    host_.show_main();
    ::ShowWindow(hwnd(), SW_HIDE);
}

// Unloads: the window goes and with it every pick and the remark; the next opening loads anew.
// Called from the window's own handlers, so nothing may touch the parts after this.
void EditorWindow::Impl::close() {
    host_.show_main();
    destroy();
}

void EditorWindow::Impl::command(int id, int code) {
    static_assert(kListPicked == CBN_SELCHANGE && kListClosedUp == CBN_CLOSEUP &&
                  kButtonClicked == BN_CLICKED);
    int selector = 0;
    switch (editor_command(id, code, selector)) {
        case EditorCommand::read_pick:
            session_.model().pick(selector,
                                  narrow(parts_->selectors[static_cast<size_t>(selector)].text()));
            break;
        case EditorCommand::save_keys:
            session_.save_keys();
            back_to_main();
            break;
        case EditorCommand::save_remark:
            save_remark();
            break;
        case EditorCommand::close:
            close();
            break;
        case EditorCommand::none:
            break;
    }
}

void EditorWindow::Impl::paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd(), &ps);
    RECT client;
    ::GetClientRect(hwnd(), &client);

    // The strips the skin leaves uncovered keep the see-through colour.
    HBITMAP skin = static_cast<HBITMAP>(parts_->skin.get());
    BITMAP size{};
    ::GetObjectW(skin, sizeof(size), &size);
    const Scale scale = parts_->scale;
    const POINT skin_at{scale.px(look::kSkinAt.x), scale.px(look::kSkinAt.y)};
    const int saved = ::SaveDC(dc);
    ::ExcludeClipRect(dc, skin_at.x, skin_at.y, skin_at.x + size.bmWidth,
                      skin_at.y + size.bmHeight);
    fill_rect(dc, client, palette::kSeeThrough);
    ::RestoreDC(dc, saved);
    draw_bitmap(dc, skin, skin_at.x, skin_at.y);

    const RECT title_box = at_scale(look::kTitleBox);
    fill_rect(dc, title_box, palette::kDark);
    constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
    draw_text(dc, look::kTitle, title_box, palette::kOrange, font_of(parts_->fonts.title),
              kCentred);
    draw_text(dc, look::kWhatMayBeSet, at_scale(look::kWhatMayBeSetBox), palette::kOrange,
              font_of(parts_->fonts.text), kCentred);
    for (const Rect& plus : {look::kFirstPlus, look::kSecondPlus}) {
        draw_text(dc, L"+", at_scale(plus), palette::kWhite, font_of(parts_->fonts.plus), kCentred);
    }
    const RECT divider = at_scale(look::kDivider);
    ::FillRect(dc, &divider, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::EndPaint(hwnd(), &ps);
}

void EditorWindow::Impl::draw_item(const DRAWITEMSTRUCT& item) {
    const int id = static_cast<int>(item.CtlID);
    if (id == editor_ids::kSaveKeysButton) {
        draw_label_button(item, font_of(parts_->fonts.button), palette::kWhite, look::kButtonBack,
                          look::kButtonPressed);
    } else if (id == editor_ids::kCloseButton) {
        draw_picture_button(item, static_cast<HBITMAP>(parts_->close_picture.get()),
                            palette::kOrange);
    } else {
        for (const Selector& s : parts_->selectors) {
            if (s.id() == id) s.draw_item(item);
        }
    }
}

LRESULT EditorWindow::Impl::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    if (!parts_) return WindowBase::handle(message, wparam, lparam);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paint();
            return 0;
        case WM_DRAWITEM:
            draw_item(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        case WM_COMMAND:
            command(LOWORD(wparam), HIWORD(wparam));
            return 0;
        case WM_MOUSEMOVE:
            // Only a move with the button held drags; a mere hover must not start a move.
            if (wparam & MK_LBUTTON) drag_move(hwnd());
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus && ::IsChild(hwnd(), focus)) parts_->focus = focus;
            } else if (parts_->focus) {
                ::SetFocus(parts_->focus);
                return 0;
            }
            break;
        case WM_DPICHANGED:
            follow_dpi_change(hwnd(), wparam, lparam, [this](Scale scale) { apply_dpi(scale); });
            return 0;
        case WM_CLOSE:  // Alt+F4 or the taskbar: the same as the close picture
            close();
            return 0;
        case WM_NCDESTROY:
            parts_.reset();
            session_.forget();
            break;
        default:
            break;
    }
    return WindowBase::handle(message, wparam, lparam);
}

EditorWindow::EditorWindow(EditorHost& host, IniLocation settings)
    : impl_(std::make_unique<Impl>(host, std::move(settings))) {}
EditorWindow::~EditorWindow() = default;

void EditorWindow::load() {
    impl_->load();
}
bool EditorWindow::is_loaded() const {
    return impl_->hwnd() != nullptr;
}
void EditorWindow::open_keys(int row_index) {
    impl_->open(row_index, false);
}
void EditorWindow::open_remark(int row_index) {
    impl_->open(row_index, true);
}
HWND EditorWindow::hwnd() const {
    return impl_->hwnd();
}

}  // namespace vantero
