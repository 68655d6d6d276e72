#include "app/tray_menu.h"

#include "app/product.h"
#include "common/external_strings.h"

namespace vantero {

std::vector<TrayMenuLine> tray_menu(const TrayState& state) {
    // "Display" is never chosen; the program's own items come after About, before the exit.
    std::vector<TrayMenuLine> lines = {
        {kTrayShow, L"Display", true},
        {kTrayAbout, L"关于本软件"},
        {},
        {kTrayPause, external::kPauseItem, false, state.paused},
        {kTrayStartWithWindows, external::kStartWithWindowsItem, false, state.starts_with_windows},
    };
    // Already as administrator: a restart would change nothing.
    if (!state.elevated)
        lines.push_back({kTrayRunAsAdministrator, external::kRunAsAdministratorItem});
    lines.push_back({});
    lines.push_back({kTrayExit, L"退出"});
    return lines;
}

const wchar_t* tray_tip(bool paused) {
    return paused ? product::kTrayTipPaused : product::kTrayTip;
}

IconClick icon_click(unsigned mouse_message) {
    // Only the buttons' release: a double click brings two, which show the window twice, as one.
    constexpr unsigned kLeftButtonUp = 0x0202, kRightButtonUp = 0x0205;
    switch (mouse_message) {
        case kLeftButtonUp:
            return IconClick::show_main;
        case kRightButtonUp:
            return IconClick::open_menu;
        default:
            return IconClick::none;
    }
}

}  // namespace vantero
