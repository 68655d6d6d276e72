// The key-sequence string and what the sender makes of it, as scenarios: the target keys and
// the modifiers held in, the key steps out ("mask up:164 dn:65 hold:200 up:65 dn-if-held:164
// mask").
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/sender.h"
#include "common/key_sequence.h"

namespace vantero {
namespace {

std::string step_text(const KeyStep& step) {
    const std::string vk = std::to_string(step.virtual_key);
    switch (step.kind) {
        case KeyStepKind::press:
            return "dn:" + vk;
        case KeyStepKind::release:
            return "up:" + vk;
        case KeyStepKind::press_if_held:
            return "dn-if-held:" + vk;
        case KeyStepKind::release_if_free:
            return "up-if-free:" + vk;
        case KeyStepKind::mask:
            return "mask";
    }
    return "?";
}

class Recorder : public KeyOutput {
public:
    void send(const KeyStep& step) override {
        add(step_text(step));
        if (step.virtual_key == fail_press_on && step.kind == KeyStepKind::press)
            throw std::runtime_error("press");
    }
    void hold(int ms) override {
        add("hold:" + std::to_string(ms));
        if (fail_hold) throw std::runtime_error("hold");
    }

    std::string trace;
    bool fail_hold = false;
    int fail_press_on = -1;

private:
    void add(const std::string& event) { trace += (trace.empty() ? "" : " ") + event; }
};

// "lctrl lalt" -> the set of those sides.
ModifierSet held_keys(const std::string& names) {
    static const std::map<std::string, std::uint8_t> sides = {
        {"lshift", kVkLeftShift}, {"rshift", kVkRightShift}, {"lctrl", kVkLeftCtrl},
        {"rctrl", kVkRightCtrl},  {"lalt", kVkLeftAlt},      {"ralt", kVkRightAlt},
        {"lwin", kVkLeftWinKey},  {"rwin", kVkRightWinKey}};
    ModifierSet held;
    std::istringstream words(names);
    for (std::string word; words >> word;) held.add(sides.at(word));
    return held;
}

std::string send(const char* sequence, const std::string& held = "", bool user_keys_known = true) {
    Recorder out;
    send_key_sequence(sequence, held_keys(held), user_keys_known, out);
    return out.trace;
}

TEST(Sender, TypesTheTargetInOrderAndReleasesInReverse) {
    EXPECT_EQ(send("1|65"), "dn:65 hold:100 up:65");
    EXPECT_EQ(send("2|17|65"), "dn:17 dn:65 hold:200 up:65 up-if-free:17");
    EXPECT_EQ(send("3|17|16|65"), "dn:17 dn:16 dn:65 hold:200 up:65 up-if-free:16 up-if-free:17");
    EXPECT_EQ(send("1|0"), "dn:0 hold:100 up:0");
    EXPECT_EQ(send("1|255"), "dn:255 hold:100 up:255");
    EXPECT_EQ(send("1|007"), "dn:7 hold:100 up:7");
    // Fields past the count are never looked at.
    EXPECT_EQ(send("1|65|66"), "dn:65 hold:100 up:65");
    EXPECT_EQ(send("2|17|65|| |"), "dn:17 dn:65 hold:200 up:65 up-if-free:17");
}

TEST(Sender, TheWindowSeesExactlyTheTargetsModifiers) {
    struct Case {
        const char* held;
        const char* sequence;
        const char* trace;
    };
    const Case cases[] = {
        // The trigger's modifiers that the target does not use are lifted behind a mask and
        // put back if still held; the one it uses stays as the user holds it.
        {"lctrl lalt", "2|17|65", "mask up:164 dn:65 hold:200 up:65 dn-if-held:164 mask"},
        {"lctrl lshift", "1|66",
         "mask up:160 up:162 dn:66 hold:100 up:66 dn-if-held:160 dn-if-held:162 mask"},
        {"lwin", "1|65", "mask up:91 dn:65 hold:100 up:65 dn-if-held:91 mask"},
        {"rctrl ralt", "2|18|65", "mask up:163 dn:65 hold:200 up:65 dn-if-held:163 mask"},
        // Either side gives the modifier; a held right Win serves a left-Win target.
        {"rctrl", "2|17|65", "dn:65 hold:200 up:65"},
        {"rwin", "2|91|68", "dn:68 hold:200 up:68"},
        {"lctrl lalt", "3|17|18|65", "dn:65 hold:200 up:65"},
        {"lctrl lalt", "3|16|17|65",
         "mask up:164 dn:16 dn:65 hold:200 up:65 up-if-free:16 dn-if-held:164 mask"},
        // Nothing to type but what is held: only the hold.
        {"lctrl", "1|17", "hold:100"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(send(c.sequence, c.held), c.trace) << c.held << " + " << c.sequence;
    }
}

TEST(Sender, WithoutTheUsersKeysNothingHeldIsLifted) {
    // No one can tell later whether the user still holds a lifted key, so none is lifted; a
    // held target modifier is still left alone.
    EXPECT_EQ(send("2|17|65", "lctrl lalt", false), "dn:65 hold:200 up:65");
    EXPECT_EQ(send("2|16|65", "lctrl", false), "dn:16 dn:65 hold:200 up:65 up:16");
}

TEST(Sender, InvalidSequencesSendNothing) {
    for (const char* text : {"",
                             "1",
                             "1|",
                             "2|65",
                             "3|17|65",
                             "0|65",
                             "4|65|66|67|68",
                             "01|65",
                             " 1|65",
                             "1 |65",
                             "+1|65",
                             "|65",
                             "1|256",
                             "1|-1",
                             "1|+65",
                             "1| 65",
                             "1|65 ",
                             "1|0x41",
                             "2|17|",
                             "2||65",
                             "1|99999999999999999999",
                             "1|4294967361" /* 2^32 + 65 */}) {
        EXPECT_FALSE(parse_key_sequence(text).has_value()) << '"' << text << '"';
        EXPECT_EQ(send(text, "lctrl lalt"), "") << '"' << text << '"';
    }
}

TEST(Sender, EveryStepAfterTheHoldRunsWhenSendingFails) {
    Recorder hold_fails;
    hold_fails.fail_hold = true;
    EXPECT_THROW(send_key_sequence("2|17|65", held_keys("lalt"), true, hold_fails),
                 std::runtime_error);
    EXPECT_EQ(hold_fails.trace,
              "mask up:164 dn:17 dn:65 hold:200 up:65 up-if-free:17 dn-if-held:164 mask");

    Recorder press_fails;
    press_fails.fail_press_on = 65;
    EXPECT_THROW(send_key_sequence("3|17|16|65", {}, true, press_fails), std::runtime_error);
    // A press that failed may still have reached the system: it is released too.
    EXPECT_EQ(press_fails.trace, "dn:17 dn:16 dn:65 up:65 up-if-free:16 up-if-free:17");
}

}  // namespace
}  // namespace vantero
