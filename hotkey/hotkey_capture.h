#pragma once
// Turns key presses in a hotkey box into a combination (key code and RegisterHotKey modifier
// mask) and its display text, such as "Ctrl + Alt + A".
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/external_strings.h"

namespace vantero {

// Modifier bits as RegisterHotKey takes them.
inline constexpr int kModAlt = 1;
inline constexpr int kModControl = 2;
inline constexpr int kModShift = 4;
inline constexpr int kModWin = 8;

// Shift state bits of a key event.
inline constexpr int kShiftBit = 1;
inline constexpr int kCtrlBit = 2;
inline constexpr int kAltBit = 4;

inline constexpr int kVkShift = 16;
inline constexpr int kVkControl = 17;
inline constexpr int kVkMenu = 18;
inline constexpr int kVkLeftWin = 91;
inline constexpr int kVkApps = 93;
inline constexpr int kVkUnassigned = 0xE8;

// Shown whenever nothing is captured.
using external::kHotkeyPlaceholder;

// Stored code text as a number: optional sign and decimal digits only, no blanks; nothing else.
std::optional<int> parse_stored_code(std::string_view text);

class HotkeyCapture {
public:
    // The name of a key as the keyboard layout gives it (UTF-8); may be empty.
    using KeyNameLookup = std::function<std::string(int virtual_key)>;

    explicit HotkeyCapture(KeyNameLookup key_name);

    // Keys a key-down of which changes nothing: the Applications key, and keys no one can name
    // or press on purpose (unassigned ones such as the program's mask key, keys without a name).
    bool ignores(int virtual_key) const;

    // A key-down that was not dropped: rebuilds the display text and both codes from scratch.
    // left_win_down: whether the left Windows key is down at this key-down (the shift state has
    // no bit for it); it counts only then, wherever its own key events went.
    void key_down(int virtual_key, int shift_state, bool left_win_down);
    // A key-up: releasing everything without a main key falls back to the placeholder.
    void key_up(int virtual_key);

    // Restores a stored capture: the text unchanged (not rebuilt from the codes) when both codes
    // are decimal integers in range (key 0 to 255, modifiers 0 to 15); otherwise, or when the
    // text is the placeholder, nothing captured. An empty text is kept: a key without a name
    // captured alone shows none.
    void restore(std::string text, std::string_view key_code, std::string_view mod_key_code);
    // Back to nothing captured.
    void clear();

    const std::string& text() const { return text_; }
    int key_code() const { return key_code_; }
    int mod_key_code() const { return mod_key_code_; }

private:
    KeyNameLookup key_name_;
    std::string text_ = kHotkeyPlaceholder;
    int key_code_ = 0;
    int mod_key_code_ = 0;
};

}  // namespace vantero
