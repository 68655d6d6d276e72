#pragma once
// The hidden window `TrayIcon`: owns the notification-area icon, answers its clicks with the main
// window or the popup menu, and sees the session end.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "app/tray_menu.h"
#include "common/unique_handle.h"
#include "common/window_base.h"
#include "settings/ini_location.h"

namespace vantero {

// What the tray window does to the rest of the program.
struct TrayActions {
    std::function<void()> show_main;  // left click: visible and topmost
    std::function<void()> exit;       // menu "退出": the exit sequence
    // Windows ends the session: saves every row's trigger; the first failure's error code.
    std::function<DWORD()> save_triggers;
    // The session ends: a send's keys go up now.
    std::function<void()> end_sends;
    std::function<void(bool)> set_paused;        // menu "暂停"
    std::function<void()> run_as_administrator;  // menu "以管理员身份运行"
    IniLocation settings;                        // set.ini, named when a save fails
};

class TrayIcon final : public WindowBase {
public:
    // The callback message of the icon; the mouse message arrives in lParam.
    static constexpr UINT kIconMessage = WM_MOUSEMOVE;
    // Posted by load(): the icon is added once the main window is on screen.
    static constexpr UINT kAddIconMessage = WM_APP + 1;
    // A menu item (TrayItem) may also be sent as WM_COMMAND.

    explicit TrayIcon(TrayActions actions);
    ~TrayIcon() override;

    // Creates the hidden window and adds the icon.
    bool load();
    // Removes the icon (exit sequence); the window stays until destruction.
    void delete_icon();
    // A balloon over the icon; one asked for before the icon is there comes with it.
    void notify(const std::wstring& title, const std::wstring& text);

private:
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    void add_icon();
    void show_menu();
    void run_menu_item(UINT item);
    void set_paused(bool paused);
    void toggle_start_with_windows();
    // WM_QUERYENDSESSION: the triggers are saved first; while they cannot be, Windows is told why
    // and the session does not end yet.
    BOOL may_end_session();
    void forget_block_reason();

    TrayActions actions_;
    unique_icon icon_;
    unique_icon paused_icon_;  // grey
    NOTIFYICONDATAW record_{};
    UINT taskbar_created_ = 0;
    UINT show_main_message_ = 0;  // from a second copy
    bool icon_added_ = false;
    bool paused_ = false;
    bool elevated_ = false;  // no restart as administrator to offer
    std::wstring pending_title_, pending_text_;
    bool block_reason_ = false;  // Windows holds a reason not to end the session
};

}  // namespace vantero
