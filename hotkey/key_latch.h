#pragma once
// KeyLatch: a hotkey box. The user presses a combination in its text box; the control shows it,
// registers it system-wide on a hidden window of its own when the host enables it, raises
// on_hotkey_pressed when it fires, and keeps it in set.ini (or the registry) between runs.
#include <windows.h>

#include <memory>
#include <string>

#include "common/scale.h"
#include "hotkey/hotkey_capture.h"
#include "hotkey/key_latch_properties.h"
#include "hotkey/window_subclass.h"
#include "settings/ini_location.h"

namespace vantero {

class KeyLatch final : public HotkeyReceiver {
public:
    // Creates the control as a child of parent at the given place (pixels). In run mode it also
    // creates and hooks its hidden hotkey window and its text box and loads the stored hotkey;
    // in INI mode it keeps it in the settings file at settings.
    KeyLatch(HWND parent, std::wstring name, const RECT& bounds, const KeyLatchLayout& layout,
             bool run_mode, IniLocation settings);
    // Tear-down: both window procedures are put back before the hidden window is destroyed.
    ~KeyLatch();
    KeyLatch(const KeyLatch&) = delete;
    KeyLatch& operator=(const KeyLatch&) = delete;

    KeyLatchEvents events;

    // Members in their declared order.
    void raise_events() override;
    COLORREF back_color() const;
    void back_color(COLORREF value);
    COLORREF fore_color() const;
    void fore_color(COLORREF value);
    bool enabled() const;
    void enabled(bool value);
    const KeyLatchFont& font() const;
    void font(const KeyLatchFont& value);
    int border_style() const;
    void border_style(int value);
    int appearance() const;
    void appearance(int value);
    std::wstring text() const;
    const std::wstring& tooltip_text() const;
    void tooltip_text(std::wstring value);
    int key_code() const;
    bool hotkey_enabled() const;
    // true registers the captured combination (messages on failure); false unregisters it.
    void hotkey_enabled(bool value);
    // Enables it without a word: false when nothing that can be registered is captured or the
    // system refuses the combination.
    bool try_enable_hotkey();
    int mod_key_code() const;
    // Lets the system's registration go for a while (a pause, or while the program types the
    // combination itself so that it reaches the focused window); the control stays enabled, and
    // enabling it meanwhile checks the registration and lets it go again. Suspensions nest.
    void suspend_hotkey();
    // Ends one suspension; the last registers the hotkey again. If the system refuses then, the
    // control is disabled (the capture is kept) and false returned.
    bool resume_hotkey();
    // Whether a trigger that can be registered is captured: a key, and one with a name.
    bool has_trigger() const;
    // Stores the hotkey where the control keeps it; ERROR_SUCCESS, or the first failure's system
    // error code (describe_save_error words an INI failure for the user).
    DWORD save_settings();
    const std::wstring& ini_file_name() const;
    void ini_file_name(std::wstring value);  // design mode only, else KeyLatchError 382
    int setting_location() const;
    void setting_location(int value);  // design mode only, else KeyLatchError 382
    const std::wstring& reg_key_name() const;
    void reg_key_name(std::wstring value);  // design mode only, else KeyLatchError 382

    // Window handles, for the host and for tests.
    HWND hwnd() const;           // the control itself
    HWND text_box() const;       // the box the keys are pressed in
    HWND hotkey_window() const;  // the hidden window that receives WM_HOTKEY (run mode)
    // Puts the control at bounds (the text box follows its size) with its font made at the
    // host's scale, which the control keeps no copy of.
    void place(const RECT& bounds, Scale scale);

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vantero
