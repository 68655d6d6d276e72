#pragma once
// KeyLatch: a hotkey box. The user presses a combination in its text box; the control shows it,
// registers it system-wide on a hidden window of its own when the host enables it, raises
// HotKeyPressed when it fires, and keeps it in set.ini (or the registry) between runs.
#include <windows.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "hotkey/hotkey_capture.h"

namespace vantero {

// An error of the control's properties, with the number the host reports.
class KeyLatchError : public std::runtime_error {
public:
    KeyLatchError(int number, const char* description) : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};
inline constexpr int kErrSetNotSupportedAtRuntime = 382;

struct KeyLatchFont {
    std::wstring face = L"宋体";
    int points = 9;
    bool bold = false;
};

// The values a host keeps with its window layout for each control instance.
struct KeyLatchLayout {
    COLORREF BackColor = 0x80000005;  // top bit set: a system colour by index
    COLORREF ForeColor = 0x80000008;
    bool Enabled = true;
    KeyLatchFont Font;  // the host's font
    int BorderStyle = 1;  // 0 none, 1 fixed single
    int Appearance = 1;   // 0 flat, 1 three-dimensional
    std::wstring ToolTipText;
    std::wstring INIFileName = L"set.ini";
    int SettingLocation = 0;  // 0 = INI file, anything else = registry
    std::wstring RegKeyName = L"KeyLatch";
    std::wstring Text;  // read in design mode only; empty means the placeholder
};

// Events raised to the host; any may be left empty.
struct KeyLatchEvents {
    std::function<void()> HotKeyPressed;
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int& key_code, int& shift)> KeyDown;
    std::function<void(int& key_code, int& shift)> KeyUp;
    std::function<void(int& button, int& shift, float& x, float& y)> MouseDown;
    std::function<void(int& button, int& shift, float& x, float& y)> MouseMove;
    std::function<void(int& button, int& shift, float& x, float& y)> MouseUp;
    // A property was written (a designer saves the layout then); the layout name is given.
    std::function<void(const wchar_t* property)> PropertyChanged;
};

class KeyLatch {
public:
    // Creates the control as a child of parent at the given place (pixels). In run mode it also
    // creates and hooks its hidden hotkey window and its text box and loads the stored hotkey.
    KeyLatch(HWND parent, std::wstring name, const RECT& bounds, const KeyLatchLayout& layout, bool run_mode);
    // Tear-down: both window procedures are put back before the hidden window is destroyed.
    ~KeyLatch();
    KeyLatch(const KeyLatch&) = delete;
    KeyLatch& operator=(const KeyLatch&) = delete;

    KeyLatchEvents events;

    // Members in their declared order.
    void RaiseEvents();
    COLORREF BackColor() const;
    void BackColor(COLORREF value);
    COLORREF ForeColor() const;
    void ForeColor(COLORREF value);
    bool Enabled() const;
    void Enabled(bool value);
    const KeyLatchFont& Font() const;
    void Font(const KeyLatchFont& value);
    int BorderStyle() const;
    void BorderStyle(int value);
    int Appearance() const;
    void Appearance(int value);
    std::wstring Text() const;
    const std::wstring& ToolTipText() const;
    void ToolTipText(std::wstring value);
    int KeyCode() const;
    bool HotKeyEnabled() const;
    // true registers the captured combination (messages on failure); false unregisters it.
    void HotKeyEnabled(bool value);
    int ModKeyCode() const;
    // Stores the hotkey where the control keeps it; ERROR_SUCCESS, or the first failure's system
    // error code (DescribeSaveError words an INI failure for the user).
    DWORD SaveSettings();
    const std::wstring& INIFileName() const;
    void INIFileName(std::wstring value);  // design mode only, else KeyLatchError 382
    int SettingLocation() const;
    void SettingLocation(int value);  // design mode only, else KeyLatchError 382
    const std::wstring& RegKeyName() const;
    void RegKeyName(std::wstring value);  // design mode only, else KeyLatchError 382

    // Window handles, for the host and for tests.
    HWND hwnd() const;           // the control itself
    HWND text_box() const;       // txtHotKey
    HWND hotkey_window() const;  // the hidden window that receives WM_HOTKEY (run mode)
    const std::wstring& name() const;
    void Move(const RECT& bounds);  // the text box follows the control's size

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vantero
