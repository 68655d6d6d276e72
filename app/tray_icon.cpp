#include "app/tray_icon.h"

#include <cwchar>

#include "app/integrity.h"
#include "app/pages.h"
#include "app/product.h"
#include "app/start_with_windows.h"
#include "common/external_strings.h"
#include "resources/resource_ids.h"
#include "settings/save_error.h"

namespace vantero {
namespace {

unique_icon load_tray_icon(int id) {
    return unique_icon(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));
}

template <size_t N>
void copy_text(wchar_t (&to)[N], const std::wstring& from) {
    std::wcsncpy(to, from.c_str(), N - 1);
    to[N - 1] = L'\0';
}

}  // namespace

TrayIcon::TrayIcon(TrayActions actions) : actions_(std::move(actions)) {}

TrayIcon::~TrayIcon() {
    forget_block_reason();
    delete_icon();
}

bool TrayIcon::load() {
    icon_ = load_tray_icon(IDI_VANTERO);
    paused_icon_ = load_tray_icon(IDI_VANTERO_PAUSED);
    if (!create(external::kTrayClass, 0, WS_POPUP, external::kTrayCaption, 0, 0, 0, 0, nullptr,
                icon_.get()))
        return false;
    // Explorer broadcasts this after it restarts; the icon is added again then. A second copy
    // posts the other. Both come from programs that may run at a lower level than this one.
    taskbar_created_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    show_main_message_ = ::RegisterWindowMessageW(external::kShowMainMessage);
    for (UINT message : {taskbar_created_, show_main_message_})
        ::ChangeWindowMessageFilterEx(hwnd(), message, MSGFLT_ALLOW, nullptr);

    menu_.reset(::CreatePopupMenu());
    ::AppendMenuW(menu_.get(), MF_STRING | MF_GRAYED, kShow, L"Display");
    ::AppendMenuW(menu_.get(), MF_STRING, kAbout, L"关于本软件");
    ::AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu_.get(), MF_STRING, kPause, external::kPauseItem);
    ::AppendMenuW(menu_.get(), MF_STRING, kStartWithWindows, external::kStartWithWindowsItem);
    if (!runs_elevated())
        ::AppendMenuW(menu_.get(), MF_STRING, kRunAsAdministrator,
                      external::kRunAsAdministratorItem);
    ::AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu_.get(), MF_STRING, kExit, L"退出");

    record_.cbSize = sizeof(record_);
    record_.hWnd = hwnd();
    record_.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(icon_.get()));
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = kIconMessage;
    record_.hIcon = icon_.get();
    copy_text(record_.szTip, product::kTrayTip);
    // Adding the icon waits on the shell; the main window need not wait for it.
    ::PostMessageW(hwnd(), kAddIconMessage, 0, 0);
    return true;
}

void TrayIcon::add_icon() {
    icon_added_ = ::Shell_NotifyIconW(NIM_ADD, &record_) != FALSE;
    if (icon_added_ && !pending_text_.empty()) {
        notify(pending_title_, pending_text_);
        pending_title_.clear(), pending_text_.clear();
    }
}

void TrayIcon::delete_icon() {
    if (!record_.hWnd) return;
    ::Shell_NotifyIconW(NIM_DELETE, &record_);
    record_.hWnd = nullptr;
    icon_added_ = false;
}

void TrayIcon::notify(const std::wstring& title, const std::wstring& text) {
    if (!record_.hWnd) return;
    if (!icon_added_) {
        pending_title_ = title, pending_text_ = text;
        return;
    }
    NOTIFYICONDATAW balloon = record_;
    balloon.uFlags = NIF_INFO;
    copy_text(balloon.szInfoTitle, title);
    copy_text(balloon.szInfo, text);
    balloon.dwInfoFlags = NIIF_WARNING;
    ::Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

void TrayIcon::set_paused(bool paused) {
    paused_ = paused;
    if (actions_.set_paused) actions_.set_paused(paused);
    record_.hIcon = paused && paused_icon_ ? paused_icon_.get() : icon_.get();
    copy_text(record_.szTip, paused ? product::kTrayTipPaused : product::kTrayTip);
    if (icon_added_) ::Shell_NotifyIconW(NIM_MODIFY, &record_);
}

void TrayIcon::toggle_start_with_windows() {
    const DWORD error = set_start_with_windows(!starts_with_windows());
    if (error == ERROR_SUCCESS) return;
    const std::wstring message = external::kRunValueFailed + describe_system_error(error);
    ::MessageBoxW(hwnd(), message.c_str(), external::kSaveFailedCaption,
                  MB_ICONWARNING | MB_OK | MB_SETFOREGROUND);
}

void TrayIcon::show_menu() {
    POINT at;
    ::GetCursorPos(&at);
    // The menu closes when the user clicks elsewhere only if its owner is in the foreground.
    ::SetForegroundWindow(hwnd());
    const UINT chosen =
        ::TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y,
                         0, hwnd(), nullptr);
    ::PostMessageW(hwnd(), WM_NULL, 0, 0);
    run_menu_item(chosen);
}

void TrayIcon::run_menu_item(UINT item) {
    switch (item) {
        case kAbout:
            open_page(hwnd(), Page::product);
            break;
        case kExit:
            if (actions_.exit) actions_.exit();
            break;
        case kPause:
            set_paused(!paused_);
            break;
        case kStartWithWindows:
            toggle_start_with_windows();
            break;
        case kRunAsAdministrator:
            if (actions_.run_as_administrator) actions_.run_as_administrator();
            break;
        default:
            break;
    }
}

BOOL TrayIcon::may_end_session() {
    const DWORD error = actions_.save_triggers ? actions_.save_triggers() : ERROR_SUCCESS;
    if (error == ERROR_SUCCESS) {
        forget_block_reason();
        return TRUE;
    }
    // No message box at shut-down: Windows shows this beside the program's name, and the user
    // may cancel, free the file and try again, or end the session anyway.
    const std::wstring reason =
        describe_save_error(actions_.settings, error) + external::kSessionEndUnsaved;
    block_reason_ = ::ShutdownBlockReasonCreate(hwnd(), reason.c_str()) != FALSE;
    return FALSE;
}

void TrayIcon::forget_block_reason() {
    if (block_reason_ && hwnd()) ::ShutdownBlockReasonDestroy(hwnd());
    block_reason_ = false;
}

LRESULT TrayIcon::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kIconMessage) {
        switch (static_cast<UINT>(lparam)) {
            case WM_LBUTTONUP:
                if (actions_.show_main) actions_.show_main();
                break;
            case WM_RBUTTONUP:
                if (actions_.after_sends) {
                    actions_.after_sends([this] { show_menu(); });
                } else {
                    show_menu();
                }
                break;
            default:
                break;
        }
        return 0;
    }
    if (message == kAddIconMessage || (taskbar_created_ && message == taskbar_created_)) {
        if (record_.hWnd) add_icon();
        return 0;
    }
    if (show_main_message_ && message == show_main_message_) {
        if (actions_.show_main) actions_.show_main();
        return 0;
    }
    switch (message) {
        case WM_INITMENUPOPUP:
            // What the registry holds now: another tool may have changed it.
            ::CheckMenuItem(menu_.get(), kStartWithWindows,
                            starts_with_windows() ? MF_CHECKED : MF_UNCHECKED);
            ::CheckMenuItem(menu_.get(), kPause, paused_ ? MF_CHECKED : MF_UNCHECKED);
            return 0;
        case WM_COMMAND:
            if (HIWORD(wparam) == 0 && lparam == 0) {
                const UINT item = LOWORD(wparam);
                // Same as the menu's: a message box or a restart must not hold a send's keys.
                if (actions_.after_sends) {
                    actions_.after_sends([this, item] { run_menu_item(item); });
                } else {
                    run_menu_item(item);
                }
            }
            return 0;
        case WM_QUERYENDSESSION:
            return may_end_session();
        case WM_CLOSE:
            // Only the exit sequence ends the program; without this window it could neither
            // be shown nor ended from the notification area.
            return 0;
        case WM_ENDSESSION:
            // Saved once more: the user may end the session although the query's save failed,
            // and the file may be free by now.
            if (wparam) {
                if (actions_.save_triggers) actions_.save_triggers();
                delete_icon();
            }
            forget_block_reason();
            return 0;
        default:
            return WindowBase::handle(message, wparam, lparam);
    }
}

}  // namespace vantero
