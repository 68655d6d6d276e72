#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "hotkey/hotkey_capture.h"

namespace vantero {
namespace {

const std::string kPlaceholder = kHotkeyPlaceholder;

std::string key_name(int vk) {
    switch (vk) {
        case 65:
            return "A";
        case 66:
            return "B";
        case 92:
            return "RWin";
        case 116:
            return "F5";
        default:
            return "";  // the layout has no name for it
    }
}

std::string state(const HotkeyCapture& c) {
    return c.text() + "|" + std::to_string(c.key_code()) + "|" + std::to_string(c.mod_key_code());
}

// Plays "+17 +65 -65 -17" (down/up of virtual keys) into a capture the way the host does: the
// shift state of each key-down holds the Shift/Ctrl/Alt keys that are down, the key itself too.
// "^91" and "~91" press and release a key while another window has the focus: the box sees no
// event of it.
class Keyboard {
public:
    HotkeyCapture capture{key_name};

    Keyboard& play(const std::string& script) {
        std::istringstream in(script);
        std::string step;
        while (in >> step) {
            const int vk = std::stoi(step.substr(1));
            if (step[0] == '+') {
                down_.insert(vk);
                capture.key_down(vk, shift_state(), down_.count(91) > 0);
            } else if (step[0] == '^') {
                down_.insert(vk);
            } else if (step[0] == '~') {
                down_.erase(vk);
            } else {
                down_.erase(vk);
                capture.key_up(vk);
            }
        }
        return *this;
    }

private:
    int shift_state() const {
        return (down_.count(16) ? kShiftBit : 0) | (down_.count(17) ? kCtrlBit : 0) |
               (down_.count(18) ? kAltBit : 0);
    }
    std::set<int> down_;
};

TEST(HotkeyCapture, StartsWithNothingCaptured) {
    EXPECT_EQ(state(HotkeyCapture(key_name)), "按下快捷键|0|0");
}

TEST(HotkeyCapture, Combinations) {
    const struct {
        const char* script;
        std::string state;
    } cases[] = {
        {"+17 +18 +65", "Ctrl + Alt + A|65|3"},
        {"+16 +17 +116", "Ctrl + Shift + F5|116|6"},  // shown Ctrl first whatever the order
        {"+18 +16 +17 +116", "Ctrl + Alt + Shift + F5|116|7"},
        {"+65", "A|65|0"},
        {"+17", "Ctrl + |0|2"},  // still holding the modifier
        {"+18", "Alt + |0|1"},
        {"+17 -17", kPlaceholder + "|0|0"},
        {"+17 +18 -18", kPlaceholder + "|0|0"},
        {"+17 +65 -65 -17", "Ctrl + A|65|2"},
        {"+17 +65 -17 -65", "Ctrl + A|65|2"},  // A let go first
        {"+17 +65 -65 -17 +16", "Shift + |0|4"},
        {"+17 +65 -65 -17 +16 -16", kPlaceholder + "|0|0"},  // a lone modifier loses it
        {"+17 +65 +66", "Ctrl + B|66|2"},                    // the last key wins
        {"+91 +65", "Win + A|65|8"},
        {"+91 +17 +18 +16 +116", "Win + Ctrl + Alt + Shift + F5|116|15"},
        {"+91", "Win + |0|8"},
        {"+91 -91", kPlaceholder + "|0|0"},
        {"+92", "RWin|92|0"},  // the right Win key is an ordinary key
        {"+17 +92", "Ctrl + RWin|92|2"},
        {"+17 +200", "Ctrl + |200|2"},  // no name, but captured
        {"+17 +200 -200 -17", "Ctrl + |200|2"},
    };
    for (const auto& c : cases) {
        Keyboard kb;
        EXPECT_EQ(state(kb.play(c.script).capture), c.state) << c.script;
    }
}

TEST(HotkeyCapture, WinCountsOnlyWhileItIsDown) {
    Keyboard kb;
    EXPECT_EQ(state(kb.play("+91 +65 -65").capture), "Win + A|65|8");
    // Win let go while another window had the focus: the next capture has no Win.
    EXPECT_EQ(state(kb.play("~91 +66").capture), "B|66|0");
    // Win pressed elsewhere and still held when a key reaches the box.
    EXPECT_EQ(state(kb.play("-66 ^91 +67").capture), "Win + |67|8");
}

TEST(ParseStoredCode, Numbers) {
    const struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"0", 0},
        {"65", 65},
        {"007", 7},
        {"+7", 7},
        {"-7", -7},
        {"-0", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"+2147483647", INT_MAX},
    };
    for (const auto& c : cases) EXPECT_EQ(parse_stored_code(c.text), c.value) << c.text;

    for (const char* text :
         {"2147483648", "-2147483649", "99999999999999999999", "", "+", "-", "--1", "+-1", "1-",
          " 65", "65 ", "6 5", "0x41", "1.5", "1e2", "６５" /* full-width */}) {
        EXPECT_FALSE(parse_stored_code(text).has_value()) << '"' << text << '"';
    }
}

TEST(HotkeyCapture, Restore) {
    HotkeyCapture capture(key_name);
    // The stored text is kept as it is, not rebuilt from the codes.
    const char* const valid[][3] = {{"65", "3", "saved|65|3"},
                                    {"0", "0", "saved|0|0"},
                                    {"255", "15", "saved|255|15"},
                                    {"+65", "-0", "saved|65|0"}};
    for (const auto& c : valid) {
        capture.restore("saved", c[0], c[1]);
        EXPECT_EQ(state(capture), c[2]);
    }
    // Anything else leaves nothing captured, whatever was there before.
    const char* const invalid[][2] = {{"", "2"},      {"65", ""},          {"256", "2"},
                                      {"-1", "2"},    {"65", "16"},        {"65", "-1"},
                                      {" 65", "2"},   {"65", "2 "},        {"0x41", "2"},
                                      {"65", "Ctrl"}, {"65", "4294967298"} /* 2^32 + 2 */};
    for (const auto& c : invalid) {
        capture.restore("Ctrl + A", "65", "2");
        capture.restore("saved", c[0], c[1]);
        EXPECT_EQ(state(capture), kPlaceholder + "|0|0") << '"' << c[0] << "\" \"" << c[1] << '"';
    }
    // A missing text reads as the placeholder: nothing captured, whatever the codes say.
    for (const char* key : {"86", "0"}) {
        capture.restore("Ctrl + A", "65", "2");
        capture.restore(kPlaceholder, key, "2");
        EXPECT_EQ(state(capture), kPlaceholder + "|0|0") << key;
    }
    // A key without a name captured alone was stored with an empty text.
    capture.restore("", "200", "0");
    EXPECT_EQ(state(capture), "|200|0");
}

}  // namespace
}  // namespace vantero
