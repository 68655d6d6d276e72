#pragma once
// What a keyboard says about its keys: the modifier keys by side, and which keys it marks
// extended. Virtual-key codes as Windows numbers them.
#include <array>
#include <cstdint>
#include <optional>

namespace vantero {

inline constexpr std::uint8_t kVkShiftKey = 0x10;
inline constexpr std::uint8_t kVkCtrlKey = 0x11;
inline constexpr std::uint8_t kVkAltKey = 0x12;
inline constexpr std::uint8_t kVkLeftWinKey = 0x5B;
inline constexpr std::uint8_t kVkRightWinKey = 0x5C;
inline constexpr std::uint8_t kVkLeftShift = 0xA0;
inline constexpr std::uint8_t kVkRightShift = 0xA1;
inline constexpr std::uint8_t kVkLeftCtrl = 0xA2;
inline constexpr std::uint8_t kVkRightCtrl = 0xA3;
inline constexpr std::uint8_t kVkLeftAlt = 0xA4;
inline constexpr std::uint8_t kVkRightAlt = 0xA5;
// Unassigned by Windows: its key events mean nothing to any program. Tapped between a
// modifier's press and its release, it keeps Alt from opening a menu and Win the Start menu.
inline constexpr std::uint8_t kVkMaskKey = 0xE8;

// The right Shift's scan code; both Shift keys have the same virtual key and no extended flag.
inline constexpr unsigned kRightShiftScanCode = 0x36;

enum class ModifierGroup : std::uint8_t { shift, ctrl, alt, win };

// The group of a modifier key, generic (Ctrl) or sided (left Ctrl); nothing for other keys.
constexpr std::optional<ModifierGroup> modifier_group(std::uint8_t vk) {
    switch (vk) {
        case kVkShiftKey:
        case kVkLeftShift:
        case kVkRightShift:
            return ModifierGroup::shift;
        case kVkCtrlKey:
        case kVkLeftCtrl:
        case kVkRightCtrl:
            return ModifierGroup::ctrl;
        case kVkAltKey:
        case kVkLeftAlt:
        case kVkRightAlt:
            return ModifierGroup::alt;
        case kVkLeftWinKey:
        case kVkRightWinKey:
            return ModifierGroup::win;
        default:
            return std::nullopt;
    }
}

// The side of a modifier key event: a generic Ctrl or Alt is the right one when marked extended,
// a generic Shift the right one by its scan code. 0 for keys that are not modifiers.
constexpr std::uint8_t modifier_side(std::uint8_t vk, bool extended, unsigned scan_code) {
    switch (vk) {
        case kVkShiftKey:
            return scan_code == kRightShiftScanCode ? kVkRightShift : kVkLeftShift;
        case kVkCtrlKey:
            return extended ? kVkRightCtrl : kVkLeftCtrl;
        case kVkAltKey:
            return extended ? kVkRightAlt : kVkLeftAlt;
        default:
            return modifier_group(vk) ? vk : 0;
    }
}

// Keys a keyboard sends with the E0 prefix, which Windows reports as the extended flag: the
// right Ctrl and Alt, the Windows and Applications keys, the navigation block and arrows, Print
// Screen, Ctrl+Break, Num Lock, the keypad's divide key, and the browser and media keys.
constexpr bool is_extended_key(std::uint8_t vk) {
    switch (vk) {
        case 0x03:  // Ctrl+Break
        case 0x21:
        case 0x22:  // Page Up, Page Down
        case 0x23:
        case 0x24:  // End, Home
        case 0x25:
        case 0x26:
        case 0x27:
        case 0x28:  // arrows
        case 0x2C:  // Print Screen
        case 0x2D:
        case 0x2E:  // Insert, Delete
        case kVkLeftWinKey:
        case kVkRightWinKey:
        case 0x5D:  // Applications
        case 0x5F:  // Sleep
        case 0x6F:  // keypad divide
        case 0x90:  // Num Lock
        case kVkRightCtrl:
        case kVkRightAlt:
            return true;
        default:
            return vk >= 0xA6 && vk <= 0xB7;  // browser, volume, media and launch keys
    }
}

// The modifier keys that are down, one bit per side.
class ModifierSet {
public:
    static constexpr std::array<std::uint8_t, 8> kSides = {
        kVkLeftShift, kVkRightShift, kVkLeftCtrl,   kVkRightCtrl,
        kVkLeftAlt,   kVkRightAlt,   kVkLeftWinKey, kVkRightWinKey};

    constexpr void add(std::uint8_t side) { bits_ |= bit(side); }
    constexpr void remove(std::uint8_t side) { bits_ &= static_cast<std::uint8_t>(~bit(side)); }
    constexpr bool contains(std::uint8_t side) const { return (bits_ & bit(side)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr bool any_in(ModifierGroup group) const {
        for (std::uint8_t side : kSides) {
            if (contains(side) && modifier_group(side) == group) return true;
        }
        return false;
    }
    constexpr bool operator==(const ModifierSet&) const = default;

    // One bit per side, in kSides order.
    constexpr std::uint8_t bits() const { return bits_; }
    static constexpr ModifierSet from_bits(std::uint8_t bits) {
        ModifierSet set;
        set.bits_ = bits;
        return set;
    }

private:
    static constexpr std::uint8_t bit(std::uint8_t side) {
        for (std::size_t i = 0; i < kSides.size(); ++i) {
            if (kSides[i] == side) return static_cast<std::uint8_t>(1u << i);
        }
        return 0;
    }
    std::uint8_t bits_ = 0;
};

// The modifier mask, as RegisterHotKey takes it (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN
// 8), of the modifiers in a set.
constexpr int hotkey_modifiers(ModifierSet keys) {
    return (keys.any_in(ModifierGroup::alt) ? 1 : 0) | (keys.any_in(ModifierGroup::ctrl) ? 2 : 0) |
           (keys.any_in(ModifierGroup::shift) ? 4 : 0) | (keys.any_in(ModifierGroup::win) ? 8 : 0);
}

}  // namespace vantero
