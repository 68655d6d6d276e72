#include "hotkey/fixed_key_names.h"

#include <array>
#include <cstdint>

#include "common/keyboard_keys.h"

namespace vantero {
namespace {

constexpr int kVkSleep = 0x5F;
constexpr int kVkBrowserBack = 0xA6;

// From Browser Back (0xA6) to Launch App 2 (0xB7), in virtual-key order.
constexpr std::array<std::string_view, 18> kBrowserToLaunchKeys = {
    "Browser Back",      "Browser Forward", "Browser Refresh", "Browser Stop", "Browser Search",
    "Browser Favorites", "Browser Home",    "Volume Mute",     "Volume Down",  "Volume Up",
    "Next Track",        "Previous Track",  "Media Stop",      "Play/Pause",   "Mail",
    "Media Select",      "Launch App 1",    "Launch App 2",
};

}  // namespace

std::string_view fixed_key_name(int virtual_key) {
    if (virtual_key == kVkSleep) return "Sleep";
    const int index = virtual_key - kVkBrowserBack;
    if (index < 0 || index >= static_cast<int>(kBrowserToLaunchKeys.size())) return {};
    return kBrowserToLaunchKeys[static_cast<size_t>(index)];
}

std::string key_name_of(int virtual_key, const LayoutKeyName& layout_name) {
    if (const std::string_view fixed = fixed_key_name(virtual_key); !fixed.empty()) {
        return std::string(fixed);
    }
    if (virtual_key >= 0 && virtual_key <= 0xFF &&
        is_extended_key(static_cast<std::uint8_t>(virtual_key))) {
        if (std::string name = layout_name(true); !name.empty()) return name;
    }
    return layout_name(false);
}

}  // namespace vantero
