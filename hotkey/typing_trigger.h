#pragma once
// Whether a trigger would take a key away from ordinary typing, so that the user can be asked
// before it is enabled: a registered hotkey swallows its key in every program.

namespace vantero {

// True for a key that types or edits (letters, digits, the keypad, Space, Enter, Tab, Backspace,
// Esc, the editing and navigation keys, Caps Lock, Num Lock, punctuation) with no modifier or
// Shift alone. Function keys, Pause, Scroll Lock, Print Screen, the Applications key and the
// browser and media keys type nothing; Ctrl, Alt or Win leaves typing alone.
bool is_typing_trigger(int key_code, int mod_key_code);

}  // namespace vantero
