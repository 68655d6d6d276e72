// The hotkey box's portable logic: key presses played in, the capture ("text|key|mask") out;
// stored captures restored; which triggers take a key away from typing; the keys it names.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "hotkey/fixed_key_names.h"
#include "hotkey/hotkey_capture.h"
#include "hotkey/typing_trigger.h"

namespace vantero {
namespace {

const std::string kNothing = std::string(kHotkeyPlaceholder) + "|0|0";

std::string layout_key_name(int vk) {
    return vk == 65 ? "A" : vk == 66 ? "B" : vk == 92 ? "RWin" : vk == 116 ? "F5" : "";
}

std::string state(const HotkeyCapture& c) {
    return c.text() + "|" + std::to_string(c.key_code()) + "|" + std::to_string(c.mod_key_code());
}

// Plays "+17 +65 -65 -17" (down/up of virtual keys) the way the host does: each key-down's shift
// state holds the Shift, Ctrl and Alt keys that are down, and keys the capture ignores never
// reach it. "^91" and "~91" press and release a key while another window has the focus: the box
// sees no event of it.
std::string play(const std::string& script) {
    HotkeyCapture capture(layout_key_name);
    std::set<int> down;
    std::istringstream in(script);
    for (std::string step; in >> step;) {
        const int vk = std::stoi(step.substr(1));
        if (step[0] == '+' || step[0] == '^') down.insert(vk);
        if (step[0] == '-' || step[0] == '~') down.erase(vk);
        const int shift_state = (down.count(16) ? kShiftBit : 0) | (down.count(17) ? kCtrlBit : 0) |
                                (down.count(18) ? kAltBit : 0);
        if (step[0] == '+' && !capture.ignores(vk))
            capture.key_down(vk, shift_state, down.count(91) > 0);
        if (step[0] == '-') capture.key_up(vk);
    }
    return state(capture);
}

TEST(HotkeyCapture, Combinations) {
    const std::pair<const char*, std::string> cases[] = {
        {"+91 +18 +16 +17 +116", "Win + Ctrl + Alt + Shift + F5|116|15"},  // whatever the order
        {"+17 +65 -17 -65", "Ctrl + A|65|2"},
        {"+17", "Ctrl + |0|2"},     // still holding the modifier
        {"+17 +18 -18", kNothing},  // a modifier let go alone
        {"+17 +65 -65 -17 +16", "Shift + |0|4"},
        {"+17 +92", "Ctrl + RWin|92|2"},  // the right Win key is an ordinary key
        // Keys no one can name or press on purpose change nothing, nor does Applications.
        {"+17 +65 +200 +232 +93", "Ctrl + A|65|2"},
        // Win counts only while it is down, wherever its own events went.
        {"+91 +65 -65 ~91 +66", "B|66|0"},
        {"^91 +66", "Win + B|66|8"},
    };
    for (const auto& [script, captured] : cases) EXPECT_EQ(play(script), captured) << script;
}

TEST(HotkeyCapture, RestoresAStoredCaptureOnlyWhenItsCodesAreInRange) {
    // The text, key code and mask as stored; the capture restored.
    const std::tuple<const char*, const char*, const char*, std::string> cases[] = {
        {"saved", "255", "15", "saved|255|15"},  // the text as stored, not rebuilt
        {"saved", "+65", "-0", "saved|65|0"},
        {"", "200", "0", "|200|0"},  // a key without a name, captured alone
        {"saved", "256", "2", kNothing},
        {"saved", "65", "-1", kNothing},
        {"saved", "65", "16", kNothing},
        {kHotkeyPlaceholder, "86", "2", kNothing},
    };
    for (const auto& [text, key, mod, restored] : cases) {
        HotkeyCapture capture(layout_key_name);
        capture.restore("Ctrl + A", "65", "2");
        capture.restore(text, key, mod);
        EXPECT_EQ(state(capture), restored) << text << " " << key << " " << mod;
    }
    // The stored codes are plain decimal integers; the whole int range reads.
    EXPECT_EQ(parse_stored_code("-2147483648"), INT_MIN);
    for (const char* bad : {"2147483648", "4294967298", "--1", "0x41", "65 ", ""})
        EXPECT_FALSE(parse_stored_code(bad)) << bad;
}

TEST(TypingTrigger, KeysThatTypeOrEditWithNoModifierOrShiftAlone) {
    const int typing[] = {'A', '0', 0x6B /* keypad + */, ' ', 0x0D, 0x08, 0x2E, 0x14, 0xBA, 0xE2};
    const int not_typing[] = {0x70 /* F1 */, 0x13 /* Pause */, 0x5D /* Applications */, 0xA6, 0};
    for (int mask : {0, kModShift, kModControl, kModAlt, kModWin, kModControl | kModShift}) {
        const bool alone = mask == 0 || mask == kModShift;
        for (int key : typing) EXPECT_EQ(is_typing_trigger(key, mask), alone) << key << " " << mask;
        for (int key : not_typing) EXPECT_FALSE(is_typing_trigger(key, mask)) << key << " " << mask;
    }
}

TEST(FixedKeyNames, NamesOnlyTheKeysLayoutsLeaveUnnamed) {
    const std::pair<int, const char*> names[] = {
        {0x5F, "Sleep"}, {0xB3, "Play/Pause"}, {0xA5, ""}, {0xB8, ""}, {'A', ""}, {-1, ""}};
    for (const auto& [vk, name] : names) EXPECT_EQ(fixed_key_name(vk), name) << vk;
}

}  // namespace
}  // namespace vantero
