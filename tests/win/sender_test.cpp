// What a focused window receives from the sender while the keyboard watch decides what the
// user holds: its key messages with their scan codes and the modifier state it reads, its menu
// activations, and the keys left down afterwards. The test's own untagged key events play the
// user's hands.
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "app/keyboard_watch.h"
#include "app/sender.h"
#include "app/system_key_output.h"
#include "tests/win/key_event_log.h"

namespace vantero {
namespace {

// A window with the keyboard focus that logs "dn:65{c}" (the key and the Shift/Ctrl/Alt/Win
// keys it reads as down), "up:65" and "menu" (the default procedure would enter menu mode).
class FocusedWindow {
public:
    struct Key {
        unsigned vk, scan;
        bool extended, up;
    };
    // Posted by the keyboard watch: a trigger pressed during a send (wParam: row index).
    static constexpr UINT kTriggerMessage = WM_APP + 1;

    FocusedWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VanteroSenderTarget";
        ::RegisterClassW(&wc);
        hwnd_ = ::CreateWindowW(L"VanteroSenderTarget", L"target", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                40, 40, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ::SetForegroundWindow(hwnd_);
        ::SetFocus(hwnd_);
        test::pump_for(100);
    }
    ~FocusedWindow() { ::DestroyWindow(hwnd_); }

    HWND hwnd() const { return hwnd_; }
    // The trace without the mask key, which means nothing to a window.
    std::string trace() const { return trace_; }
    const std::vector<Key>& keys() const { return keys_; }
    // Alt and Win key-ups with no other key pressed since that key went down: Windows takes a
    // lone Alt tap to the menu bar and a lone Win tap to the Start menu.
    int lone_taps() const {
        int taps = 0;
        std::map<unsigned, bool> down_alone;  // Alt or Win down: nothing else pressed since
        for (const Key& k : keys_) {
            const bool alt_or_win = k.vk == VK_MENU || k.vk == VK_LWIN;
            if (alt_or_win && !k.up) {
                down_alone.try_emplace(k.vk, true);
            } else if (alt_or_win && down_alone.count(k.vk)) {
                taps += down_alone[k.vk] ? 1 : 0;
                down_alone.erase(k.vk);
            }
            if (!k.up) {
                for (auto& [vk, alone] : down_alone) alone = alone && vk == k.vk;
            }
        }
        return taps;
    }
    // The rows of the triggers posted to the window: "0 0 4".
    std::string triggers() const { return triggers_; }
    void clear() {
        trace_.clear();
        keys_.clear();
        triggers_.clear();
    }

private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<FocusedWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
        if (self && (down || msg == WM_KEYUP || msg == WM_SYSKEYUP)) {
            self->keys_.push_back({static_cast<unsigned>(wp),
                                   static_cast<unsigned>((lp >> 16) & 0xFF), ((lp >> 24) & 1) != 0,
                                   !down});
            if (wp != kVkMaskKey) {
                std::string mods;
                if (down) {
                    for (auto [vk, letter] :
                         {std::pair{VK_SHIFT, 's'}, {VK_CONTROL, 'c'}, {VK_MENU, 'a'}}) {
                        if (::GetKeyState(vk) < 0) mods += letter;
                    }
                    if (::GetKeyState(VK_LWIN) < 0 || ::GetKeyState(VK_RWIN) < 0) mods += 'w';
                    mods = "{" + mods + "}";
                }
                self->add((down ? "dn:" : "up:") + std::to_string(wp) + mods);
            }
        } else if (self && msg == kTriggerMessage) {
            append(self->triggers_, std::to_string(wp));
            return 0;
        } else if (self && msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_KEYMENU) {
            self->add("menu");
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }
    static void append(std::string& list, const std::string& item) {
        if (!list.empty()) list += ' ';
        list += item;
    }
    void add(const std::string& s) { append(trace_, s); }

    HWND hwnd_;
    std::string trace_;
    std::vector<Key> keys_;
    std::string triggers_;
};

// The user's hands: untagged events with a keyboard's scan codes.
void user_key(BYTE vk, bool up) {
    ::keybd_event(vk, static_cast<BYTE>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)),
                  up ? KEYEVENTF_KEYUP : 0, 0);
}

// The user holds these keys; the window has taken their key-downs before the trace starts.
void user_holds(FocusedWindow& window, std::initializer_list<BYTE> keys) {
    for (BYTE vk : keys) user_key(vk, false);
    test::pump_for(30);
    window.clear();
}

void send(const char* sequence, KeyboardWatch* watch) {
    SystemKeyOutput keys(watch);
    send_key_sequence(sequence, modifiers_down(), keys.user_keys_known(), keys);
}

std::string keys_down() {
    std::string down;
    for (int vk = 1; vk < 256; ++vk) {
        if (!(::GetAsyncKeyState(vk) & 0x8000)) continue;
        if (!down.empty()) down += ' ';
        down += std::to_string(vk);
    }
    return down;
}

class SenderUnderWine : public ::testing::Test {
protected:
    // One window for all: under Wine without a window manager, a framed window takes seconds to go.
    static void SetUpTestSuite() { shared_window = new FocusedWindow; }
    static void TearDownTestSuite() { delete shared_window; }
    void SetUp() override {
        watch.start();
        ASSERT_TRUE(watch.running());
        window.clear();
    }
    void TearDown() override {
        test::pump_for(50);
        EXPECT_EQ(keys_down(), "") << "keys left down";
        EXPECT_EQ(window.lone_taps(), 0) << window.trace();
    }
    static inline FocusedWindow* shared_window = nullptr;
    FocusedWindow& window = *shared_window;
    KeyboardWatch watch;
};

TEST_F(SenderUnderWine, TheWindowSeesExactlyTheTargetsModifiersWhileTheUserHoldsTheTrigger) {
    user_key(VK_LCONTROL, false);
    user_key(VK_LMENU, false);
    send("2|17|65", &watch);
    test::pump_for(50);
    // The user's Alt is down again, so a repeat of the trigger fires the hotkey again.
    EXPECT_TRUE(::GetAsyncKeyState(VK_MENU) & 0x8000);
    user_key(VK_LMENU, true);
    user_key(VK_LCONTROL, true);
    test::pump_for(50);
    EXPECT_EQ(window.trace(), "dn:17{c} dn:18{ca} up:18 dn:65{c} up:65 dn:18{ca} up:18 up:17");

    // Alt alone (menu mode if it were a lone tap); a single key while Ctrl and Shift are held;
    // Shift as a target; Win as a target.
    struct Case {
        std::initializer_list<BYTE> held;
        const char* sequence;
        const char* received;
    };
    const Case cases[] = {
        {{VK_LMENU}, "1|65", "up:18 dn:65{} up:65 dn:18{a}"},
        {{VK_LCONTROL, VK_LSHIFT}, "1|66", "up:16 up:17 dn:66{} up:66 dn:16{s} dn:17{sc}"},
        {{VK_LCONTROL, VK_LMENU},
         "2|16|67",
         "up:17 up:18 dn:16{s} dn:67{s} up:67 up:16 dn:17{c} dn:18{ca}"},
        {{VK_LCONTROL}, "2|91|68", "up:17 dn:91{w} dn:68{w} up:68 up:91 dn:17{c}"},
        {{VK_LWIN}, "2|18|116", "up:91 dn:18{a} dn:116{a} up:116 up:18 dn:91{w}"},
    };
    for (const Case& c : cases) {
        user_holds(window, c.held);
        send(c.sequence, &watch);
        test::pump_for(30);
        EXPECT_EQ(window.trace(), c.received) << c.sequence;
        for (BYTE vk : c.held) user_key(vk, true);
        test::pump_for(30);
        EXPECT_EQ(window.trace().find("menu"), std::string::npos)
            << c.sequence << ": " << window.trace();
        EXPECT_EQ(window.lone_taps(), 0) << c.sequence << ": " << window.trace();
    }
}

TEST_F(SenderUnderWine, ModifiersLetGoDuringTheHoldStayUpAndHeldTargetModifiersAreLeftAlone) {
    // The user lets go of Ctrl and Alt 30 ms into the hold.
    user_holds(window, {VK_LCONTROL, VK_LMENU});
    ::SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        user_key(VK_LMENU, true);
        user_key(VK_LCONTROL, true);
    });
    send("1|65", &watch);
    test::pump_for(50);
    EXPECT_EQ(window.trace(), "up:17 up:18 dn:65{} up:18 up:17 up:65")
        << "nothing may come back down";

    // The user presses Shift during a send that pressed Shift: the send leaves it down for them.
    ::SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        user_key(VK_LSHIFT, false);
    });
    window.clear();
    send("2|16|65", &watch);
    test::pump_for(50);
    EXPECT_TRUE(::GetAsyncKeyState(VK_SHIFT) & 0x8000);
    user_key(VK_LSHIFT, true);
}

TEST_F(SenderUnderWine, KeysCarryTheLayoutsScanCodeAndTheExtendedFlag) {
    test::KeyEventLog hook;
    send("3|65|37|46", &watch);
    send("2|91|116", &watch);
    hook.wait_for(10, 2000);
    test::pump_for(50);
    struct Expected {
        unsigned vk, scan;
        bool extended;
    };
    const Expected expected[] = {{65, 0x1E, false},
                                 {37, 0x4B, true},
                                 {46, 0x53, true},
                                 {91, 0x5B, true},
                                 {116, 0x3F, false}};
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.vk);
        int seen_by_window = 0, seen_by_hook = 0;
        for (const auto& k : window.keys()) {
            if (k.vk != e.vk) continue;
            ++seen_by_window;
            EXPECT_EQ(k.scan, e.scan);
            EXPECT_EQ(k.extended, e.extended);
        }
        for (const test::KeyEvent& k : hook.events()) {
            if (k.vk != e.vk) continue;
            ++seen_by_hook;
            EXPECT_EQ(k.scan, e.scan);
            EXPECT_EQ((k.flags & LLKHF_EXTENDED) != 0, e.extended);
        }
        EXPECT_EQ(seen_by_window, 2);  // down and up
        EXPECT_EQ(seen_by_hook, 2);
    }
}

TEST_F(SenderUnderWine, TriggersPressedDuringASendGoToTheListenerNotTheWindow) {
    watch.set_trigger(0, '3', MOD_CONTROL);
    watch.set_trigger(4, '4', MOD_CONTROL);
    watch.set_listener(window.hwnd(), FocusedWindow::kTriggerMessage);
    user_holds(window, {VK_LCONTROL});
    // While the send holds its key (and Ctrl is lifted), the keyboard repeats Ctrl+3, the user
    // presses Ctrl+4 and Ctrl+5, which is no trigger.
    ::SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        for (auto [vk, up] : {std::pair<BYTE, bool>{'3', false},
                              {'3', false},
                              {'4', false},
                              {'4', true},
                              {'5', false},
                              {'5', true}}) {
            user_key(vk, up);
        }
    });
    send("1|65", &watch);
    // After the send the system sees the user's keys again: the next repeat reaches the window.
    user_key('3', false);
    user_key('3', false);
    user_key('3', true);
    user_key(VK_LCONTROL, true);
    test::pump_for(50);
    EXPECT_EQ(window.trace(),
              "up:17 dn:65{} up:52 dn:53{} up:53 up:65 dn:17{c} dn:51{c} dn:51{c} up:51 up:17");
    EXPECT_EQ(window.triggers(), "0 0 4");
}

TEST_F(SenderUnderWine, WithoutTheWatchNothingHeldIsTouchedAndNothingIsLeftDown) {
    watch.stop();
    user_holds(window, {VK_LCONTROL});
    send("2|17|65", &watch);
    send("1|66", nullptr);
    user_key(VK_LCONTROL, true);
    test::pump_for(50);
    EXPECT_EQ(window.trace(), "dn:65{c} up:65 dn:66{c} up:66 up:17");
}

TEST(SenderHoldUnderWine, HoldsOneKeyAbout100msAndSeveralAbout200ms) {
    test::KeyEventLog log;
    struct Case {
        const char* sequence;
        size_t events;
        double hold_ms;
    };
    for (const Case& c :
         {Case{"1|65", 2, 100}, Case{"2|17|65", 4, 200}, Case{"3|17|16|65", 6, 200}}) {
        SCOPED_TRACE(c.sequence);
        log.clear();
        send(c.sequence, nullptr);
        log.wait_for(c.events, 2000);
        const auto events = log.events();
        ASSERT_EQ(events.size(), c.events);
        const double held = events[c.events / 2].at_ms - events[c.events / 2 - 1].at_ms;
        // Generous bounds: the machines are shared; the benchmark measures accuracy.
        EXPECT_GE(held, c.hold_ms - 5);
        EXPECT_LE(held, c.hold_ms + 150);
    }
}

}  // namespace
}  // namespace vantero
