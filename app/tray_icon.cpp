#include "app/tray_icon.h"

#include <cwchar>

#include "app/pages.h"
#include "app/product.h"
#include "common/external_strings.h"
#include "resources/resource_ids.h"
#include "settings/save_error.h"

namespace vantero {

TrayIcon::TrayIcon(TrayActions actions) : actions_(std::move(actions)) {}

TrayIcon::~TrayIcon() {
    forget_block_reason();
    delete_icon();
}

bool TrayIcon::load() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    icon_.reset(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_VANTERO), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXSMICON),
                                                ::GetSystemMetrics(SM_CYSMICON), 0)));
    if (!create(external::kTrayClass, 0, WS_POPUP, external::kTrayCaption, 0, 0, 0, 0, nullptr,
                icon_.get()))
        return false;
    // Explorer broadcasts this after it restarts; the icon is added again then.
    taskbar_created_ = ::RegisterWindowMessageW(L"TaskbarCreated");

    menu_.reset(::CreatePopupMenu());
    ::AppendMenuW(menu_.get(), MF_STRING | MF_GRAYED, kShow, L"Display");
    ::AppendMenuW(menu_.get(), MF_STRING, kAbout, L"关于本软件");
    ::AppendMenuW(menu_.get(), MF_STRING, kExit, L"退出");

    record_.cbSize = sizeof(record_);
    record_.hWnd = hwnd();
    record_.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(icon_.get()));
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = kIconMessage;
    record_.hIcon = icon_.get();
    std::wcsncpy(record_.szTip, product::kTrayTip, ARRAYSIZE(record_.szTip) - 1);
    // Adding the icon waits on the shell; the main window need not wait for it.
    ::PostMessageW(hwnd(), kAddIconMessage, 0, 0);
    return true;
}

void TrayIcon::add_icon() {
    ::Shell_NotifyIconW(NIM_ADD, &record_);
}

void TrayIcon::delete_icon() {
    if (!record_.hWnd) return;
    ::Shell_NotifyIconW(NIM_DELETE, &record_);
    record_.hWnd = nullptr;
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
    switch (chosen) {
        case kAbout:
            open_page(hwnd(), Page::product);
            break;
        case kExit:
            if (actions_.exit) actions_.exit();
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
    const std::wstring reason = describe_save_error(error) + external::kSessionEndUnsaved;
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
    switch (message) {
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
