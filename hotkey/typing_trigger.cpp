#include "hotkey/typing_trigger.h"

#include "hotkey/hotkey_capture.h"

namespace vantero {
namespace {

bool in_range(int key, int first, int last) {
    return key >= first && key <= last;
}

bool types_or_edits(int key) {
    switch (key) {
        case 0x08:  // Backspace
        case 0x09:  // Tab
        case 0x0D:  // Enter, also the keypad's
        case 0x14:  // Caps Lock
        case 0x1B:  // Esc
        case 0x20:  // Space
        case 0x2D:  // Insert
        case 0x2E:  // Delete
        case 0x90:  // Num Lock
        case 0xE2:  // the extra punctuation key of ISO keyboards
            return true;
        default:
            return in_range(key, 0x21, 0x28) ||  // Page Up, Page Down, End, Home, arrows
                   in_range(key, 0x30, 0x39) ||  // top-row digits
                   in_range(key, 0x41, 0x5A) ||  // letters
                   in_range(key, 0x60, 0x6F) ||  // keypad digits and operators
                   in_range(key, 0xBA, 0xC0) ||  // ; = , - . / `
                   in_range(key, 0xDB, 0xDF);    // [ \ ] ' and the OEM 8 key
    }
}

}  // namespace

bool is_typing_trigger(int key_code, int mod_key_code) {
    if ((mod_key_code & ~kModShift) != 0) return false;
    return types_or_edits(key_code);
}

}  // namespace vantero
