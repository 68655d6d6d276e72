// What the focused window receives from the sender while the keyboard watch decides what the
// user holds, and the message-pumping wait that holds the keys. The test's untagged key events
// play the user's hands (160 left Shift, 162 left Ctrl, 164 left Alt, 91 left Win); the window
// logs "dn:65{c}" with the modifiers it reads, and every key-up: a key left down would show.
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <stdexcept>

#include "app/keyboard_watch.h"
#include "app/pumping_wait.h"
#include "app/sender.h"
#include "app/system_key_output.h"
#include "tests/win/win_support.h"

namespace vantero {
namespace {

void send(const char* sequence, KeyboardWatch* watch) {
    SystemKeyOutput keys(watch);
    send_key_sequence(sequence, modifiers_down(), keys.user_keys_known(), keys);
}

class SenderUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        watch.start();
        ASSERT_TRUE(watch.running() && window.focus());
        window.clear();
    }
    test::FocusedWindow& window = test::FocusedWindow::shared();
    KeyboardWatch watch;
};

TEST_F(SenderUnderWine, TheWindowSeesTheTargetsChordWhateverTheUserDoesWithTheirOwnKeys) {
    // The user holds keys (their key-downs are not logged), may press or let go of keys during
    // the hold, and lets go afterwards. A lone Alt tap would log "menu".
    const struct {
        const char *held, *sequence, *during, *released, *received;
        int taps = 0;
    } cases[] = {
        {"dn:162 dn:164", "2|17|65", "", "up:164 up:162",
         "up:18 dn:65{c} up:65 dn:18{ca} up:18 up:17"},
        {"dn:164", "1|65", "", "up:164", "up:18 dn:65{} up:65 dn:18{a} up:18"},
        {"dn:162", "2|91|68", "", "up:162", "up:17 dn:91{w} dn:68{w} up:68 up:91 dn:17{c} up:17"},
        {"dn:91", "2|18|116", "", "up:91", "up:91 dn:18{a} dn:116{a} up:116 up:18 dn:91{w} up:91"},
        // A target of held modifiers only is a tap of its keys: Alt alone opens the menu.
        {"dn:162 dn:164", "1|18", "", "up:164 up:162",
         "up:17 up:18 dn:18{a} up:18 menu dn:17{c} dn:18{ca} up:18 up:17", 1},
        // Modifiers let go during the hold are not put back.
        {"dn:162 dn:164", "1|65", "up:164 up:162", "", "up:17 up:18 dn:65{} up:18 up:17 up:65"},
        // A Shift pressed during a send that pressed Shift stays down for the user.
        {"", "2|16|65", "dn:160", "up:160", "dn:16{s} dn:65{s} dn:16{s} up:65 up:16"},
    };
    // Another program's hook, installed after the watch and so called before it: every key-down
    // it sees must be followed by its key-up.
    test::KeyEventLog later_hook;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sequence);
        later_hook.clear();
        test::play(c.held);
        window.clear();
        window.after(20, [&] { test::play(c.during); });
        send(c.sequence, &watch);
        test::play(c.released);
        EXPECT_EQ(window.trace, c.received);
        EXPECT_EQ(window.lone_taps, c.taps);
        EXPECT_EQ(test::keys_left_down(later_hook.events()), "");
    }
}

TEST_F(SenderUnderWine, KeysCarryTheLayoutsScanCodeAndTheExtendedFlagForWindowAndHook) {
    test::KeyEventLog hook;
    send("3|65|37|46", &watch);
    send("2|91|116", &watch);
    hook.wait_for(10, 2000);
    test::pump_for(50);
    std::map<unsigned, std::string> seen;  // "scan[+ if extended] " by the window, then the hook
    for (const auto& k : window.keys)
        seen[k.vk] += std::to_string(k.scan) + (k.extended ? "+ " : " ");
    for (const test::KeyEvent& k : hook.events())
        seen[k.vk] += std::to_string(k.scan) + (k.flags & LLKHF_EXTENDED ? "+ " : " ");
    const std::pair<unsigned, std::string> expected[] = {
        {'A', "30 "}, {VK_LEFT, "75+ "}, {VK_DELETE, "83+ "}, {VK_LWIN, "91+ "}, {VK_F5, "63 "}};
    for (const auto& [vk, once] : expected) EXPECT_EQ(seen[vk], once + once + once + once) << vk;
}

// Timers due before a wait ends are dispatched by it: their order shows which wait ran how long.
TEST(PumpingWaitUnderWine, DispatchesNestsKeepsAQuitForTheCallerAndRefusesABadTime) {
    test::FocusedWindow& window = test::FocusedWindow::shared();
    std::string order;
    window.after(0, [&] {
        window.after(20, [&] { order += "inner-timer "; });
        pumping_wait(150);
        order += "inner-done ";
    });
    window.after(250, [&] { order += "outer-timer "; });
    ::PostQuitMessage(7);
    pumping_wait(400);
    EXPECT_EQ(order, "inner-timer inner-done outer-timer ");
    MSG quit;
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 7);
    for (double bad : {-1.0, std::numeric_limits<double>::quiet_NaN()}) {
        try {
            pumping_wait(bad);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()).rfind("[clsWaitableTimer.Wait]", 0), 0u) << e.what();
        }
    }
}

}  // namespace
}  // namespace vantero
