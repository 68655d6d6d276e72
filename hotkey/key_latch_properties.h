#pragma once
// What a KeyLatch is made of apart from its windows: its stored look and places, the events it
// raises, its errors, and where its hotkey is kept between runs.
#include <functional>
#include <stdexcept>
#include <string>

#include "common/external_strings.h"
#include "common/palette.h"
#include "settings/ini_location.h"

namespace vantero {

// An error of the control's properties, with the number the host reports.
class KeyLatchError : public std::runtime_error {
public:
    KeyLatchError(int number, const char* description)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};
inline constexpr int kErrorSetNotSupportedAtRunTime = external::kSetNotSupportedAtRunTime;

// Where the hotkey is kept may change only while the host is designed, never while it runs.
inline void refuse_at_run_time(bool run_mode) {
    if (run_mode) {
        throw KeyLatchError(kErrorSetNotSupportedAtRunTime, "Can't set property at run time");
    }
}

struct KeyLatchFont {
    std::wstring face = L"宋体";
    int points = 9;
    bool bold = false;
};

// The values a host keeps with its window layout for each control instance.
struct KeyLatchLayout {
    Colour back_color = 0x80000005;  // top bit set: a system colour by index
    Colour fore_color = 0x80000008;
    bool enabled = true;
    KeyLatchFont font;          // the host's font
    int border_style = 1;       // 0 none, 1 fixed single
    int appearance = 1;         // 0 flat, 1 three-dimensional
    std::wstring tooltip_text;  // kept for the host; the box shows no tip of its own
    std::wstring ini_file_name = L"set.ini";
    int setting_location = 0;  // 0 = INI file, anything else = registry
    std::wstring reg_key_name = L"KeyLatch";
    std::wstring text;  // read in design mode only; empty means the placeholder
};

// Events raised to the host; any may be left empty.
struct KeyLatchEvents {
    std::function<void()> on_hotkey_pressed;
    std::function<void()> on_click;
    std::function<void()> on_double_click;
    std::function<void(int& key_code, int& shift)> on_key_down;
    std::function<void(int& key_code, int& shift)> on_key_up;
    std::function<void(int& button, int& shift, float& x, float& y)> on_mouse_down;
    std::function<void(int& button, int& shift, float& x, float& y)> on_mouse_move;
    std::function<void(int& button, int& shift, float& x, float& y)> on_mouse_up;
    // A property was written (a designer saves the layout then); the layout name is given.
    std::function<void(const wchar_t* property)> on_property_changed;
};

// Where a KeyLatch keeps its hotkey between runs: section "KeyLatch" of the program's INI file,
// or the same section in the per-user application settings of the registry.
struct KeyLatchStore {
    int setting_location = 0;  // 0 = INI file, anything else = registry
    std::wstring reg_key_name = L"KeyLatch";
    IniLocation settings;  // the program's settings file, used in INI mode
};

// The stored values as text, defaults filled in; judging the codes is the caller's business.
struct StoredHotkey {
    std::wstring text;
    std::wstring key_code;
    std::wstring mod_key_code;
};

// Reads <name>Text, <name>KeyCode and <name>mod_key_code through read(key, default): a missing
// text reads as the placeholder, a missing code as 0.
StoredHotkey read_stored_hotkey(
    const std::wstring& name, const std::wstring& placeholder,
    const std::function<std::wstring(const std::wstring& key, const std::wstring& fallback)>& read);

// Writes the three values in that order, the codes in plain decimal, through write(key, value),
// which returns 0 or a system error code. The first failure ends the save and is returned: the
// next value would only wait out the same trouble.
unsigned long write_stored_hotkey(
    const std::wstring& name, const std::wstring& text, int key_code, int mod_key_code,
    const std::function<unsigned long(const std::wstring& key, const std::wstring& value)>& write);

}  // namespace vantero
