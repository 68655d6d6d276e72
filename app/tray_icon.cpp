#include "app/tray_icon.h"

#include <cwchar>

#include "app/integrity.h"
#include "app/pages.h"
#include "app/start_with_windows.h"
#include "app/tray_menu.h"
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

    elevated_ = runs_elevated();
    record_.cbSize = sizeof(record_);
    record_.hWnd = hwnd();
    record_.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(icon_.get()));
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = kIconMessage;
    record_.hIcon = icon_.get();
    copy_text(record_.szTip, tray_tip(false));
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
    copy_text(record_.szTip, tray_tip(paused));
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
    // Built as it opens: the registry may have been changed by another tool meanwhile.
    const unique_menu menu(::CreatePopupMenu());
    for (const TrayMenuLine& line : tray_menu({paused_, starts_with_windows(), elevated_})) {
        const UINT flags = line.item == kTraySeparator ? MF_SEPARATOR
                                                       : MF_STRING | (line.grey ? MF_GRAYED : 0) |
                                                             (line.ticked ? MF_CHECKED : 0);
        ::AppendMenuW(menu.get(), flags, line.item, line.caption);
    }
    POINT at;
    ::GetCursorPos(&at);
    // The menu closes when the user clicks elsewhere only if its owner is in the foreground.
    ::SetForegroundWindow(hwnd());
    const UINT chosen =
        ::TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0,
                         hwnd(), nullptr);
    ::PostMessageW(hwnd(), WM_NULL, 0, 0);
    run_menu_item(chosen);
}

void TrayIcon::run_menu_item(UINT item) {
    switch (item) {
        case kTrayAbout:
            open_page(hwnd(), Page::product);
            break;
        case kTrayExit:
            if (actions_.exit) actions_.exit();
            break;
        case kTrayPause:
            set_paused(!paused_);
            break;
        case kTrayStartWithWindows:
            toggle_start_with_windows();
            break;
        case kTrayRunAsAdministrator:
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
        switch (icon_click(static_cast<UINT>(lparam))) {
            case IconClick::show_main:
                if (actions_.show_main) actions_.show_main();
                break;
            case IconClick::open_menu:
                show_menu();
                break;
            case IconClick::none:
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
        case WM_COMMAND:
            if (HIWORD(wparam) == 0 && lparam == 0) {
                run_menu_item(LOWORD(wparam));
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
                if (actions_.end_sends) actions_.end_sends();
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
