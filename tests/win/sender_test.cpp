// What the focused window receives from the program's sends, typed through the keyboard and
// timed by the one message loop, while the keyboard watch decides what the user holds. The
// test's untagged key events play the user's hands (160 left Shift, 162 left Ctrl, 164 left
// Alt, 91 left Win); the window logs "dn:65{c}" with the modifiers it reads, and every key-up:
// a key left down would show.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/message_loop.h"
#include "app/system_sender.h"
#include "common/key_sequence.h"
#include "tests/win/win_support.h"

namespace vantero {
namespace {

// Row 9 sends the keys given.
class SenderUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        sender.set_trigger(kRow, TypedChord{VK_F24, 0});
        ASSERT_TRUE(window.focus());
        window.clear();
    }
    // As the program sends: its message loop runs until the send, and any that waited, is over.
    void send(const char* keys) {
        sequence = keys;
        sender.hotkey_pressed(kRow);
        run_message_loop(sender.timer(), [this] {
            sender.wake();
            if (!sender.sending()) ::PostQuitMessage(0);
        });
    }

    static constexpr int kRow = 8;
    test::FocusedWindow& window = test::FocusedWindow::shared();
    std::string sequence;
    SystemSender sender{{[this](int) { return TargetKeys::parse(sequence); }, {}}};
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
        send(c.sequence);
        test::play(c.released);
        EXPECT_EQ(window.trace, c.received);
        EXPECT_EQ(window.lone_taps, c.taps);
        EXPECT_EQ(test::keys_left_down(later_hook.events()), "");
    }
}

TEST_F(SenderUnderWine, KeysCarryTheLayoutsScanCodeAndTheExtendedFlag) {
    send("3|65|37|46");
    send("2|91|116");
    test::pump_for(50);                    // the last key-ups
    std::map<unsigned, std::string> seen;  // "scan[+ if extended] " at each key-down and key-up
    for (const auto& k : window.keys)
        seen[k.vk] += std::to_string(k.scan) + (k.extended ? "+ " : " ");
    const std::pair<unsigned, std::string> expected[] = {{'A', "30 30 "},
                                                         {VK_LEFT, "75+ 75+ "},
                                                         {VK_DELETE, "83+ 83+ "},
                                                         {VK_LWIN, "91+ 91+ "},
                                                         {VK_F5, "63 63 "}};
    for (const auto& [vk, twice] : expected) EXPECT_EQ(seen[vk], twice) << vk;
}

// A menu, a message box or a drag runs the system's own message loop: a hold that falls due
// there ends there, before the loop does.
TEST_F(SenderUnderWine, AHoldEndsInsideAModalLoopOfTheSystem) {
    test::KeyEventLog hook;
    unique_menu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.get(), MF_STRING, 1, L"item");
    double menu_closed_at = 0;
    window.after(10, [&] {
        window.after(400, [&] {
            menu_closed_at = test::now_ms();
            ::EndMenu();
        });
        ::TrackPopupMenu(menu.get(), TPM_RETURNCMD, 0, 0, 0, window.hwnd(), nullptr);
    });
    send("1|65");
    ASSERT_TRUE(hook.wait_for(2, 2000));
    const std::vector<test::KeyEvent> events = hook.events();
    EXPECT_TRUE(events[1].up && events[1].vk == 'A');
    EXPECT_LT(events[1].at_ms, menu_closed_at);
}

}  // namespace
}  // namespace vantero
