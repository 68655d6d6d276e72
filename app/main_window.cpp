#include "app/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <utility>

#include "app/layout.h"
#include "app/pages.h"
#include "common/drag_move.h"
#include "common/external_strings.h"
#include "common/gdi_win.h"
#include "common/key_sequence.h"
#include "common/palette.h"
#include "common/text_win.h"
#include "common/window_util.h"
#include "hotkey/typing_trigger.h"
#include "resources/resource_ids.h"
#include "settings/row_store.h"
#include "settings/save_error.h"
#include "settings/settings_file.h"

namespace vantero {
namespace {

constexpr UINT kOpenKeysEditor = WM_APP + 1;    // wParam: row index
constexpr UINT kOpenRemarkEditor = WM_APP + 2;  // wParam: row index
constexpr UINT kSyncCheck = WM_APP + 3;         // wParam: row number
constexpr UINT kPrepareEditor = WM_APP + 5;     // once the window is on screen
constexpr UINT kReportUnreadable = WM_APP + 6;  // once the window is on screen
constexpr UINT kTriggerCaptured = WM_APP + 7;   // wParam: row number
constexpr UINT kTriggerTaken = WM_APP + 8;      // a hotkey taken back failed
constexpr int kCheckIdBase = 100;               // the rows' "启动" boxes: 101 .. 109
constexpr const wchar_t* kFace = L"微软雅黑";

KeyLatchLayout row_hotkey_layout() {
    KeyLatchLayout layout;
    layout.back_color = palette::kDark;
    layout.fore_color = palette::kOrange;
    layout.font = KeyLatchFont{L"宋体", 9, false};
    layout.border_style = 0;
    return layout;
}

}  // namespace

MainWindow::MainWindow(IniLocation settings, ExitSteps exit_steps, Notify notify)
    : settings_(std::move(settings)),
      exit_steps_(std::move(exit_steps)),
      row_brush_(::CreateSolidBrush(palette::kDark)),
      notify_(std::move(notify)) {}

MainWindow::~MainWindow() {
    sender_.close();
    // The editor and the rows go before the window that holds them.
    editor_.reset();
    for (auto& latch : hotkey_boxes_) latch.reset();
    for (auto& remark : remarks_) remark.reset();
    tooltip_.reset();
    destroy();
}

bool MainWindow::open() {
    // Sized for the system's resolution; the monitor it lands on may have another.
    const Size size = layout::client_size(Scale(system_dpi()));
    if (!create(external::kMainClass, WS_EX_APPWINDOW, WS_POPUP | WS_CLIPCHILDREN,
                external::kMainCaption, 0, 0, size.width, size.height, nullptr,
                ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VANTERO)))) {
        return false;
    }
    scale_ = Scale(window_dpi(hwnd()));
    // Before the hotkey boxes read their triggers: a file they cannot read gives them defaults.
    read_error_ = check_settings_readable(settings_);
    create_rows();
    apply_dpi(scale_);
    load_rows();
    return true;
}

void MainWindow::apply_dpi(Scale scale) {
    scale_ = scale;
    chrome_.load(scale);
    unique_gdi_object font = make_font(kFace, 9, scale);
    unique_gdi_object check_font = make_font(kFace, 9, scale, true);
    std::swap(font_, font);
    std::swap(check_font_, check_font);
    place_rows();
    // The old fonts go here, once no control writes with them any more.
}

void MainWindow::place_rows() {
    auto place = [](HWND control, const Rect& box, HGDIOBJ font) {
        move_to(control, to_rect(box));
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    };
    for (int k = 0; k < kRowCount; ++k) {
        hotkey_boxes_[k]->place(to_rect(layout::hotkey_box(k, scale_)), scale_);
        place(target_boxes_[k], layout::target_box(k, scale_), font_.get());
        remarks_[k]->place(to_rect(layout::remark_box(k, scale_)), static_cast<HFONT>(font_.get()),
                           layout::text_band(scale_));
        place(enable_boxes_[k], layout::check_box(k, scale_), check_font_.get());
    }
    chrome_.place_tooltips(tooltip_.get(), hwnd(), scale_);
    const Size size = layout::client_size(scale_);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void MainWindow::create_rows() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    tooltip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                     instance, nullptr));
    chrome_.add_tooltips(tooltip_.get(), hwnd(), scale_);

    const KeyLatchLayout hotkey_layout = row_hotkey_layout();
    for (int k = 0; k < kRowCount; ++k) {
        const int n = k + 1;
        // Each hotkey box restores its trigger from set.ini as it loads.
        hotkey_boxes_[k] = std::make_unique<KeyLatch>(hwnd(), L"KeyLatch" + std::to_wstring(n),
                                                      to_rect(layout::hotkey_box(k, scale_)),
                                                      hotkey_layout, true, settings_);
        hotkey_boxes_[k]->events.on_hotkey_pressed = [this, k] { sender_.hotkey_pressed(k); };
        // A key pressed in the box may unregister the hotkey; once the box has dealt with it,
        // the check box says whether the row still works.
        hotkey_boxes_[k]->events.on_key_down = [this, n](int&, int&) {
            ::PostMessageW(hwnd(), kSyncCheck, n, 0);
        };
        // What the box holds once a key goes up is the capture: kept at once, as target keys are.
        hotkey_boxes_[k]->events.on_key_up = [this, n](int&, int&) {
            ::PostMessageW(hwnd(), kTriggerCaptured, n, 0);
        };

        // Placed, with their fonts, by place_rows.
        target_boxes_[k] = ::CreateWindowExW(0, L"EDIT", L"备注",
                                             WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL,
                                             0, 0, 0, 0, hwnd(), nullptr, instance, nullptr);
        ::SetWindowSubclass(target_boxes_[k], target_box_proc, static_cast<UINT_PTR>(k),
                            reinterpret_cast<DWORD_PTR>(this));
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = hwnd();
        info.uId = reinterpret_cast<UINT_PTR>(target_boxes_[k]);
        info.lpszText = const_cast<wchar_t*>(L"");
        ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));

        remarks_[k] = std::make_unique<RemarkLabel>(
            hwnd(), [this, k] { ::PostMessageW(hwnd(), kOpenRemarkEditor, k, 0); });

        enable_boxes_[k] = ::CreateWindowExW(
            0, L"BUTTON", L"启动", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 0, 0,
            hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCheckIdBase + n)), instance,
            nullptr);
    }
}

void MainWindow::load_rows() {
    make_see_through(hwnd(), palette::kSeeThrough);

    for (int k = 0; k < kRowCount; ++k) {
        const TargetRow row = read_row(settings_, k);
        ::SetWindowTextW(target_boxes_[k], row.display_text.c_str());
        set_keys(k, row.keys);
        remarks_[k]->set_caption(row.remark);
    }
    editor_ = std::make_unique<EditorWindow>(*this, settings_);
    // Loaded hidden once the main window shows, so its first opening is quick; the first paint
    // does not wait for its lists. An opening before then loads it itself.
    ::PostMessageW(hwnd(), kPrepareEditor, 0, 0);
    if (read_error_ != ERROR_SUCCESS) ::PostMessageW(hwnd(), kReportUnreadable, 0, 0);
    restore_started_rows();
}

void MainWindow::show() {
    if (!shown_once_) {
        shown_once_ = true;
        RECT work;
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        const Point at =
            centred({work.left, work.top, work.right, work.bottom}, layout::client_size(scale_));
        ::SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::ShowWindow(hwnd(), SW_SHOW);
    // Painted now: the work posted for after the first paint would otherwise come before it.
    ::UpdateWindow(hwnd());
    ::SetForegroundWindow(hwnd());
}

void MainWindow::show_topmost() {
    show();  // centred the first time: a start in the tray has not shown it yet
    ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void MainWindow::show_main() {
    ::ShowWindow(hwnd(), SW_SHOW);
}

void MainWindow::set_keys(int k, const std::optional<TargetKeys>& keys) {
    row_keys_[k] = keys;
    // The tip shows the keys as set.ini keeps them ("2|17|65"); the tooltip keeps its own copy.
    std::wstring tip = stored_text(keys);
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = hwnd();
    info.uId = reinterpret_cast<UINT_PTR>(target_boxes_[k]);
    info.lpszText = tip.data();
    ::SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void MainWindow::set_row_keys(int row_index, const std::wstring& display_text,
                              const std::optional<TargetKeys>& keys) {
    if (row_index < 0 || row_index >= kRowCount) return;
    ::SetWindowTextW(target_boxes_[row_index], display_text.c_str());
    set_keys(row_index, keys);
}

void MainWindow::set_row_remark(int row_index, const std::wstring& remark) {
    if (row_index < 0 || row_index >= kRowCount) return;
    remarks_[row_index]->set_caption(remark);
}

void MainWindow::update_triggers() {
    for (int k = 0; k < kRowCount; ++k) {
        const KeyLatch& latch = *hotkey_boxes_[k];
        std::optional<TypedChord> trigger;
        if (latch.hotkey_enabled() && !paused_)
            trigger = TypedChord{static_cast<std::uint8_t>(latch.key_code()), latch.mod_key_code()};
        sender_.set_trigger(k, trigger);
    }
}

void MainWindow::check_clicked(int n) {
    HWND box = enable_boxes_[n - 1];
    const bool enable = ::SendMessageW(box, BM_GETCHECK, 0, 0) != BST_UNCHECKED;
    KeyLatch& latch = hotkey_box(n);
    // A row without a trigger gets the hotkey box's own message when it is enabled.
    if (!enable || !latch.has_trigger() || may_enable(n)) latch.hotkey_enabled(enable);
    sync_check(n);
    store_started(n);
}

bool MainWindow::may_enable(int n) {
    switch (check_row_start(row_facts(n, false))) {
        case RowRefusal::no_target:
            ::MessageBoxW(hwnd(), external::kNoTargetKeys, external::kErrorCaption,
                          MB_ICONHAND | MB_OK);
            return false;
        case RowRefusal::needs_confirmation: {
            wchar_t question[512];
            std::swprintf(question, 512, external::kTypingTriggerQuestion,
                          hotkey_box(n).text().c_str());
            return ::MessageBoxW(hwnd(), question, external::kConfirmCaption,
                                 MB_ICONWARNING | MB_YESNO | MB_DEFBUTTON2) == IDYES;
        }
        default:  // a missing trigger gets the hotkey box's own message
            return true;
    }
}

RowFacts MainWindow::row_facts(int n, bool typing_confirmed) {
    const KeyLatch& latch = hotkey_box(n);
    return {latch.key_code(), latch.has_trigger(), row_keys_[n - 1].has_value(),
            is_typing_trigger(latch.key_code(), latch.mod_key_code()), typing_confirmed};
}

void MainWindow::sync_check(int n) {
    ::SendMessageW(enable_boxes_[n - 1], BM_SETCHECK,
                   hotkey_box(n).hotkey_enabled() ? BST_CHECKED : BST_UNCHECKED, 0);
    update_triggers();
}

std::optional<TargetKeys> MainWindow::keys_to_send(int k) {
    if (!row_keys_[k] || !may_send_now()) return std::nullopt;
    return row_keys_[k];
}

void MainWindow::silence_trigger(int k, bool silenced) {
    KeyLatch& latch = *hotkey_boxes_[k];
    if (silenced) {
        latch.suspend_hotkey();
        return;
    }
    if (latch.resume_hotkey()) return;
    // Another program took the combination meanwhile: as when a tick is refused, the row is
    // unticked and keeps its trigger.
    sync_check(k + 1);
    ::PostMessageW(hwnd(), kTriggerTaken, 0, 0);
}

DWORD MainWindow::save_triggers() {
    // The first failure ends it: with the file held by another program each write waits.
    for (auto& latch : hotkey_boxes_) {
        // The file held triggers this run could not read: a row keeps its stored one unless the
        // user has captured another in it since.
        if (read_error_ != ERROR_SUCCESS && latch->key_code() == 0) continue;
        if (const DWORD error = latch->save_settings()) return error;
    }
    return ERROR_SUCCESS;
}

void MainWindow::save_triggers_before_exit() {
    for (;;) {
        const DWORD error = save_triggers();
        if (error == ERROR_SUCCESS) return;
        const std::wstring message =
            describe_save_error(settings_, error) + external::kExitRetryOrQuit;
        if (::MessageBoxW(hwnd(), message.c_str(), external::kSaveFailedCaption,
                          MB_ICONWARNING | MB_RETRYCANCEL | MB_SETFOREGROUND | MB_TOPMOST) !=
            IDRETRY) {
            return;
        }
    }
}

void MainWindow::exit_program(bool open_home_page) {
    if (exiting_) return;
    exiting_ = true;
    // A send's keys go up first.
    sender_.close();
    // No trigger of this copy outlives the save: a copy started next registers them afresh.
    for (auto& latch : hotkey_boxes_) latch->hotkey_enabled(false);
    save_triggers_before_exit();
    if (exit_steps_.settings_saved) exit_steps_.settings_saved();
    // Taking the icon away and hiding the window may wait on the shell or a window manager (two
    // seconds each under Wine without one): the next copy need not wait for them.
    if (exit_steps_.remove_tray_icon) exit_steps_.remove_tray_icon();
    if (open_home_page) open_page(hwnd(), Page::home);
    if (editor_ && editor_->hwnd()) ::ShowWindow(editor_->hwnd(), SW_HIDE);
    ::ShowWindow(hwnd(), SW_HIDE);
    ::PostQuitMessage(0);
}

void MainWindow::open_editor(int k, bool remark_mode) {
    if (exiting_ || k < 0 || k >= kRowCount) return;
    if (remark_mode) {
        editor_->open_remark(k);
    } else {
        editor_->open_keys(k);
    }
    if (editor_->hwnd() && ::IsWindowVisible(editor_->hwnd())) ::ShowWindow(hwnd(), SW_HIDE);
}

void MainWindow::on_click(POINT at) {
    switch (chrome_hit_test(point_of(at), scale_)) {
        case ChromeHit::hide_button:
            ::ShowWindow(hwnd(), SW_HIDE);
            break;
        case ChromeHit::exit_area:
            exit_program();
            break;
        case ChromeHit::home_link:
            open_page(hwnd(), Page::home);
            break;
        case ChromeHit::product_link:
            open_page(hwnd(), Page::product);
            break;
        default:
            break;
    }
}

void MainWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd(), &ps);
    RECT client;
    ::GetClientRect(hwnd(), &client);
    // Drawn off screen first so the skin never flickers under the labels.
    HDC memory = ::CreateCompatibleDC(dc);
    HBITMAP canvas = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old = ::SelectObject(memory, canvas);
    chrome_.paint(memory, client, scale_);
    ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteObject(canvas);
    ::DeleteDC(memory);
    ::EndPaint(hwnd(), &ps);
}

LRESULT CALLBACK MainWindow::target_box_proc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                             UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<MainWindow*>(data);
    if (message == WM_LBUTTONUP) {
        ::PostMessageW(self->hwnd(), kOpenKeysEditor, id, 0);
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(box, target_box_proc, id);
    }
    return ::DefSubclassProc(box, message, wparam, lparam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paint();
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT: {
            HDC dc = reinterpret_cast<HDC>(wparam);
            ::SetTextColor(dc, palette::kOrange);
            ::SetBkColor(dc, palette::kDark);
            return reinterpret_cast<LRESULT>(row_brush_.get());
        }
        case WM_COMMAND: {
            const int id = LOWORD(wparam);
            if (HIWORD(wparam) == BN_CLICKED && id > kCheckIdBase &&
                id <= kCheckIdBase + kRowCount) {
                check_clicked(id - kCheckIdBase);
                return 0;
            }
            break;
        }
        case kOpenKeysEditor:
            open_editor(static_cast<int>(wparam), false);
            return 0;
        case kOpenRemarkEditor:
            open_editor(static_cast<int>(wparam), true);
            return 0;
        case kSyncCheck:
            if (wparam >= 1 && wparam <= kRowCount) {
                sync_check(static_cast<int>(wparam));
                store_started(static_cast<int>(wparam));
            }
            return 0;
        case kTriggerCaptured:
            if (wparam >= 1 && wparam <= kRowCount && !exiting_)
                store_trigger(static_cast<int>(wparam));
            return 0;
        case kReportUnreadable:
            ::MessageBoxW(hwnd(), describe_read_error(settings_, read_error_).c_str(),
                          external::kReadFailedCaption, MB_ICONWARNING | MB_OK | MB_SETFOREGROUND);
            return 0;
        case kPrepareEditor:
            if (!exiting_ && !editor_->is_loaded()) editor_->load();
            return 0;
        case kTriggerTaken:
            ::MessageBoxW(hwnd(), external::kHotkeyTaken, external::kErrorCaption,
                          MB_ICONHAND | MB_OK);
            return 0;
        case WM_LBUTTONDOWN: {
            const POINT at = point_from(lparam);
            pressed_ = chrome_hit_test(point_of(at), scale_);
            if (drags_window(pressed_)) {
                pressed_ = ChromeHit::outside;
                drag_move(hwnd());
            } else if (pressed_ != ChromeHit::outside) {
                ::SetCapture(hwnd());
            }
            return 0;
        }
        case WM_LBUTTONUP: {
            const POINT at = point_from(lparam);
            const ChromeHit pressed = pressed_;
            pressed_ = ChromeHit::outside;
            if (::GetCapture() == hwnd()) ::ReleaseCapture();
            if (is_clickable(pressed) && chrome_hit_test(point_of(at), scale_) == pressed)
                on_click(at);
            return 0;
        }
        case WM_SETCURSOR: {
            POINT at;
            ::GetCursorPos(&at);
            ::ScreenToClient(hwnd(), &at);
            if (reinterpret_cast<HWND>(wparam) == hwnd() &&
                is_clickable(chrome_hit_test(point_of(at), scale_))) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_DPICHANGED:
            follow_dpi_change(hwnd(), wparam, lparam, [this](Scale scale) { apply_dpi(scale); });
            return 0;
        case WM_CLOSE:
            // Alt+F4 hides to the tray; the program ends only through its exit sequence.
            ::ShowWindow(hwnd(), SW_HIDE);
            return 0;
        default:
            break;
    }
    return WindowBase::handle(message, wparam, lparam);
}

}  // namespace vantero
