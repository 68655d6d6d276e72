#pragma once
// What the tray icon offers: the popup menu's items as they open, the tooltip, and what a click
// on the icon asks for.
#include <vector>

namespace vantero {

// The menu's items, as the menu returns them and WM_COMMAND carries them.
enum TrayItem : unsigned {
    kTraySeparator = 0,
    kTrayShow = 1,
    kTrayAbout = 2,
    kTrayExit = 3,
    kTrayPause = 4,
    kTrayStartWithWindows = 5,
    kTrayRunAsAdministrator = 6
};

struct TrayState {
    bool paused = false;
    bool starts_with_windows = false;  // what the registry holds as the menu opens
    bool elevated = false;
};

struct TrayMenuLine {
    TrayItem item = kTraySeparator;
    const wchar_t* caption = nullptr;
    bool grey = false;
    bool ticked = false;
};

std::vector<TrayMenuLine> tray_menu(const TrayState& state);
const wchar_t* tray_tip(bool paused);

enum class IconClick { none, show_main, open_menu };
// The mouse message that the icon reports (WM_LBUTTONUP, WM_RBUTTONUP, ...).
IconClick icon_click(unsigned mouse_message);

}  // namespace vantero
