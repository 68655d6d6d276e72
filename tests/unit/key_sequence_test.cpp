#include "app/key_sequence.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/sender.h"

namespace vantero {
namespace {

// Records the sender's events as "dn:17 dn:65 hold:200 up:65 up:17".
class Recorder : public KeyOutput {
  public:
    void press(std::uint8_t key) override {
        add("dn:" + std::to_string(key));
        if (key == fail_press_on) throw std::runtime_error("press");
    }
    void release(std::uint8_t key) override { add("up:" + std::to_string(key)); }
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

std::string opendo(const char* text) {
    Recorder out;
    EXPECT_EQ(vantero::opendo(text, out), 0);
    return out.trace;
}

TEST(Opendo, ValidSequences) {
    EXPECT_EQ(opendo("1|65"), "dn:65 hold:100 up:65");
    EXPECT_EQ(opendo("2|17|65"), "dn:17 dn:65 hold:200 up:65 up:17");
    EXPECT_EQ(opendo("3|17|16|65"), "dn:17 dn:16 dn:65 hold:200 up:65 up:16 up:17");
    EXPECT_EQ(opendo("1|0"), "dn:0 hold:100 up:0");
    EXPECT_EQ(opendo("1|255"), "dn:255 hold:100 up:255");
    EXPECT_EQ(opendo("1|007"), "dn:7 hold:100 up:7");
    // Fields past the count are never looked at.
    EXPECT_EQ(opendo("1|65|66"), "dn:65 hold:100 up:65");
    EXPECT_EQ(opendo("1|65|x"), "dn:65 hold:100 up:65");
    EXPECT_EQ(opendo("2|17|65|| |"), "dn:17 dn:65 hold:200 up:65 up:17");
}

TEST(Opendo, InvalidSequencesSendNothing) {
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
                             "1|1000",
                             "1|-1",
                             "1|+65",
                             "1| 65",
                             "1|65 ",
                             "1|6 5",
                             "1|0x41",
                             "1|A",
                             "2|17|",
                             "2||65",
                             "1|99999999999999999999",
                             "1|4294967361" /* 2^32 + 65 */}) {
        EXPECT_FALSE(parse_key_sequence(text).has_value()) << '"' << text << '"';
        EXPECT_EQ(opendo(text), "") << '"' << text << '"';
    }
}

TEST(Opendo, EveryPressedKeyIsReleasedWhenSendingFails) {
    Recorder hold_fails;
    hold_fails.fail_hold = true;
    EXPECT_THROW(vantero::opendo("3|17|16|65", hold_fails), std::runtime_error);
    EXPECT_EQ(hold_fails.trace, "dn:17 dn:16 dn:65 hold:200 up:65 up:16 up:17");

    Recorder press_fails;
    press_fails.fail_press_on = 65;
    EXPECT_THROW(vantero::opendo("3|17|16|65", press_fails), std::runtime_error);
    // A press that failed may still have reached the system: it is released too.
    EXPECT_EQ(press_fails.trace, "dn:17 dn:16 dn:65 up:65 up:16 up:17");
}

}  // namespace
}  // namespace vantero
