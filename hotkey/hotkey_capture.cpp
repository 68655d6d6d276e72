#include "hotkey/hotkey_capture.h"

#include <utility>

namespace vantero {
namespace {

bool is_modifier(int virtual_key) {
    return virtual_key == kVkShift || virtual_key == kVkControl || virtual_key == kVkMenu ||
           virtual_key == kVkLeftWin;
}

}  // namespace

std::optional<int> parse_stored_code(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // One past INT_MAX is kept so that INT_MIN still parses; anything larger stops at once.
    constexpr long long kMin = -2147483648LL;
    constexpr long long kMax = 2147483647LL;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kMax + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value < kMin || value > kMax) return std::nullopt;
    return static_cast<int>(value);
}

HotkeyCapture::HotkeyCapture(KeyNameLookup key_name) : key_name_(std::move(key_name)) {}

bool HotkeyCapture::ignores(int virtual_key) const {
    if (virtual_key == kVkApps || virtual_key == kVkUnassigned) return true;
    if (is_modifier(virtual_key)) return false;
    return !key_name_ || key_name_(virtual_key).empty();
}

void HotkeyCapture::key_down(int virtual_key, int shift_state, bool left_win_down) {
    // The display order is fixed (Win, Ctrl, Alt, Shift) whatever order the keys went down in.
    std::string text;
    int mask = 0;
    if (left_win_down || virtual_key == kVkLeftWin) {
        text = "Win + ";
        mask = kModWin;
    }
    if (shift_state & kCtrlBit) {
        text += "Ctrl + ";
        mask |= kModControl;
    }
    if (shift_state & kAltBit) {
        text += "Alt + ";
        mask |= kModAlt;
    }
    if (shift_state & kShiftBit) {
        text += "Shift + ";
        mask |= kModShift;
    }

    if (is_modifier(virtual_key)) {
        key_code_ = 0;
    } else {
        if (key_name_) text += key_name_(virtual_key);
        key_code_ = virtual_key;
    }
    text_ = std::move(text);
    mod_key_code_ = mask;
}

void HotkeyCapture::key_up(int) {
    if (key_code_ == 0) {
        text_ = kHotkeyPlaceholder;
        mod_key_code_ = 0;
    }
}

void HotkeyCapture::restore(std::string text, std::string_view key_code,
                            std::string_view mod_key_code) {
    auto key = parse_stored_code(key_code);
    auto mod = parse_stored_code(mod_key_code);
    // The placeholder is also what a missing text reads as: codes beside it would be registered
    // behind a box that says nothing is set.
    if (text == kHotkeyPlaceholder || !key || !mod || *key < 0 || *key > 255 || *mod < 0 ||
        *mod > 15) {
        clear();
        return;
    }
    text_ = std::move(text);
    key_code_ = *key;
    mod_key_code_ = *mod;
}

void HotkeyCapture::clear() {
    text_ = kHotkeyPlaceholder;
    key_code_ = 0;
    mod_key_code_ = 0;
}

}  // namespace vantero
