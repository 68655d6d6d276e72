#include <gtest/gtest.h>

#include "hotkey/typing_trigger.h"

namespace vantero {
namespace {

// A few keys of each class, alone and with Shift.
TEST(TypingTrigger, KeysThatTypeOrEdit) {
    const int typing[] = {
        'A',  'Z',  '0',  '9',         // letters, top-row digits
        0x60, 0x6B, 0x6F,              // keypad 0, +, /
        0x20, 0x0D, 0x09, 0x08, 0x1B,  // Space, Enter, Tab, Backspace, Esc
        0x2E, 0x2D, 0x21, 0x28,        // Delete, Insert, Page Up, Down
        0x14, 0x90,                    // Caps Lock, Num Lock
        0xBA, 0xC0, 0xDB, 0xE2,        // ; ` [ and the ISO keyboard's extra key
    };
    const int not_typing[] = {
        0x70, 0x87, 0x13, 0x91, 0x2C,  // F1, F24, Pause, Scroll Lock, Print Screen
        0x5D, 0x5F, 0xA6, 0xB3,        // Applications, Sleep, Browser Back, Play/Pause
        0xC1, 0,    256,               // past the punctuation, nothing captured, no key
    };
    for (int mask : {0, 4}) {
        for (int key : typing) EXPECT_TRUE(is_typing_trigger(key, mask)) << key << " mask " << mask;
        for (int key : not_typing) {
            EXPECT_FALSE(is_typing_trigger(key, mask)) << key << " mask " << mask;
        }
    }
}

TEST(TypingTrigger, CtrlAltOrWinLeaveTypingAlone) {
    // Alt 1, Ctrl 2, Shift 4, Win 8: every mask holding Alt, Ctrl or Win, with Shift or not.
    for (int mask = 1; mask <= 15; ++mask) {
        if (mask == 4) continue;
        for (int key : {int{'A'}, int{'1'}, 0x20, 0x2E, 0x25, 0xBA}) {
            EXPECT_FALSE(is_typing_trigger(key, mask)) << key << " mask " << mask;
        }
    }
}

}  // namespace
}  // namespace vantero
