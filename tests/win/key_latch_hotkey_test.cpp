// System hotkey registration of KeyLatch controls under Wine: refusals and their messages, the
// injected hotkey reaching exactly its owner, and a tear-down that leaves nothing behind.
#include <gtest/gtest.h>

#include "hotkey/window_subclass.h"
#include "settings/settings_file.h"
#include "tests/win/key_event_log.h"
#include "tests/win/key_latch_fixture.h"

namespace vantero::test {
namespace {

constexpr UINT kCtrlAlt = MOD_CONTROL | MOD_ALT;

class KeyLatchHotkey : public KeyLatchTest {
protected:
    // A control that finds the combination stored under its name.
    std::unique_ptr<KeyLatch> with_combination(const std::wstring& name, const std::wstring& text,
                                               int key, int mods) {
        write_setting(L"KeyLatch", name + L"Text", text);
        write_setting(L"KeyLatch", name + L"KeyCode", std::to_wstring(key));
        write_setting(L"KeyLatch", name + L"ModKeyCode", std::to_wstring(mods));
        return host->add(name, layout());
    }

    // Whether someone other than the control holds the combination: a registration elsewhere fails.
    bool held_elsewhere(UINT mods, UINT key) {
        if (!::RegisterHotKey(host->hwnd(), 99, mods, key)) return true;
        ::UnregisterHotKey(host->hwnd(), 99);
        return false;
    }
};

TEST_F(KeyLatchHotkey, RefusedRegistrationsShowTheirMessageAndClearTheCapture) {
    auto first = with_combination(L"First", L"Ctrl + Alt + F9", VK_F9, kCtrlAlt);
    first->hotkey_enabled(true);
    EXPECT_TRUE(first->hotkey_enabled());
    EXPECT_TRUE(watcher->take().empty());

    ASSERT_TRUE(::RegisterHotKey(host->hwnd(), 7, kCtrlAlt, VK_F11));  // held by someone else
    struct Case {
        const wchar_t* name;
        int key;
        const wchar_t* message;
    };
    for (const Case& c : {Case{L"Second", VK_F9, L"Hotkey already exists, please change a hotkey."},
                          Case{L"Third", VK_F11, L"Hotkey already exists, please change a hotkey."},
                          Case{L"Empty", 0, L"Not set hotkey"}}) {
        SCOPED_TRACE(c.name);
        auto latch = c.key ? with_combination(c.name, L"taken", c.key, kCtrlAlt)
                           : host->add(c.name, layout());
        latch->hotkey_enabled(true);
        EXPECT_FALSE(latch->hotkey_enabled());
        EXPECT_EQ(latch->text(), kPlaceholder);
        EXPECT_EQ(latch->key_code(), 0);
        EXPECT_EQ(latch->mod_key_code(), 0);
        const std::vector<SeenBox> seen = watcher->take();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, L"error");
        EXPECT_EQ(seen[0].text, c.message);
        EXPECT_EQ(seen[0].owner, host->hwnd());
        EXPECT_TRUE(seen[0].stop_icon);
    }
    ::UnregisterHotKey(host->hwnd(), 7);
    EXPECT_TRUE(first->hotkey_enabled()) << "the refusals left the first control alone";
    EXPECT_TRUE(held_elsewhere(kCtrlAlt, VK_F9));
}

TEST_F(KeyLatchHotkey, WritingTrueTwiceRegistersOnceAndFalseReleases) {
    auto latch = with_combination(L"Twice", L"Ctrl + Alt + F9", VK_F9, kCtrlAlt);
    EXPECT_FALSE(held_elsewhere(kCtrlAlt, VK_F9));
    latch->hotkey_enabled(true);
    latch->hotkey_enabled(true);
    EXPECT_TRUE(latch->hotkey_enabled());
    EXPECT_TRUE(held_elsewhere(kCtrlAlt, VK_F9));
    latch->hotkey_enabled(false);
    EXPECT_FALSE(latch->hotkey_enabled());
    EXPECT_FALSE(held_elsewhere(kCtrlAlt, VK_F9));
    latch->hotkey_enabled(false);
    EXPECT_FALSE(latch->hotkey_enabled());
    EXPECT_TRUE(watcher->take().empty());
    EXPECT_EQ(latch->key_code(), VK_F9) << "the capture stays for the next write of true";
}

TEST_F(KeyLatchHotkey, InjectedHotkeyRaisesOnlyItsOwnControlOncePerMessage) {
    auto f9 = with_combination(L"F9", L"Ctrl + Alt + F9", VK_F9, kCtrlAlt);
    auto f11 = with_combination(L"F11", L"Ctrl + Alt + F11", VK_F11, kCtrlAlt);
    int f9_count = 0, f11_count = 0;
    f9->events.on_hotkey_pressed = [&] { ++f9_count; };
    f11->events.on_hotkey_pressed = [&] { ++f11_count; };
    f9->hotkey_enabled(true);
    f11->hotkey_enabled(true);
    // The focus is elsewhere: the hotkey is system-wide.
    unique_window other(::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 200, 10, 150, 21,
                                          host->hwnd(), nullptr, ::GetModuleHandleW(nullptr),
                                          nullptr));
    ASSERT_TRUE(host->focus(other.get()));

    play_keys("dn:17 dn:18 dn:120 up:120 dn:120 up:120 up:18 up:17");
    EXPECT_TRUE(pump_until([&] { return f9_count == 2; }));
    pump_for(100);
    EXPECT_EQ(f9_count, 2);
    EXPECT_EQ(f11_count, 0);
    wchar_t typed[16] = {};
    ::GetWindowTextW(other.get(), typed, 16);
    EXPECT_STREQ(typed, L"") << "the hotkey's key went to the focused window too";

    play_keys("dn:17 dn:18 dn:122 up:122 up:18 up:17");
    EXPECT_TRUE(pump_until([&] { return f11_count == 1; }));
    ::PostMessageW(f11->hotkey_window(), WM_HOTKEY, 1, 0);
    EXPECT_TRUE(pump_until([&] { return f11_count == 2; }));
    EXPECT_EQ(f9_count, 2);
}

TEST_F(KeyLatchHotkey, AKeyDownInTheBoxUnregistersAtOnce) {
    auto latch = with_combination(L"Typing", L"Ctrl + Alt + F9", VK_F9, kCtrlAlt);
    int pressed = 0;
    latch->events.on_hotkey_pressed = [&] { ++pressed; };
    latch->hotkey_enabled(true);
    ASSERT_TRUE(host->focus(latch->text_box()));
    play_keys("dn:17");
    EXPECT_FALSE(latch->hotkey_enabled());
    EXPECT_FALSE(held_elsewhere(kCtrlAlt, VK_F9));
    play_keys("dn:18 dn:120 up:120 up:18 up:17");
    EXPECT_EQ(latch->text(), L"Ctrl + Alt + F9");
    EXPECT_FALSE(latch->hotkey_enabled()) << "capturing never registers";
    EXPECT_EQ(pressed, 0);
}

TEST_F(KeyLatchHotkey, HandlersMayPumpMessagesAndMayDestroyTheirControl) {
    auto latch = host->add(L"Nested", layout());
    int depth = 0, deepest = 0, count = 0;
    latch->events.on_hotkey_pressed = [&] {
        ++count;
        deepest = std::max(deepest, ++depth);
        pump_for(50);  // as the key sender's pause does
        --depth;
    };
    ::PostMessageW(latch->hotkey_window(), WM_HOTKEY, 1, 0);
    ::PostMessageW(latch->hotkey_window(), WM_HOTKEY, 1, 0);
    EXPECT_TRUE(pump_until([&] { return count == 2 && depth == 0; }));
    EXPECT_EQ(deepest, 2);

    const HWND hidden = latch->hotkey_window();
    latch->events.on_hotkey_pressed = [&] { latch.reset(); };
    ::PostMessageW(hidden, WM_HOTKEY, 1, 0);
    EXPECT_TRUE(pump_until([&] { return latch == nullptr; }));
    EXPECT_FALSE(::IsWindow(hidden));
}

// What each window looked like as it was destroyed.
struct DestroyRecord {
    HWND hidden = nullptr;
    HWND text_box = nullptr;
    LONG_PTR hidden_proc = 0;
    bool hidden_props_left = true;
    LONG_PTR text_box_proc_then = 0;  // the text box's, when the hidden window went
    bool text_box_prop_left = true;
    LONG_PTR text_box_proc = 0;
};
DestroyRecord* g_record = nullptr;  // the hook procedure has no context argument

LRESULT CALLBACK watch_destroy(int code, WPARAM wparam, LPARAM lparam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && g_record && m->message == WM_DESTROY) {
        DestroyRecord& r = *g_record;
        if (m->hwnd == r.hidden) {
            r.hidden_proc = ::GetWindowLongPtrW(r.hidden, GWLP_WNDPROC);
            r.hidden_props_left =
                ::GetPropW(r.hidden, L"Object") || ::GetPropW(r.hidden, L"WinProc");
            r.text_box_proc_then = ::GetWindowLongPtrW(r.text_box, GWLP_WNDPROC);
            r.text_box_prop_left = ::GetPropW(r.text_box, L"WinProc") != nullptr;
        } else if (m->hwnd == r.text_box) {
            r.text_box_proc = ::GetWindowLongPtrW(r.text_box, GWLP_WNDPROC);
        }
    }
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

LONG_PTR fresh_window_proc(const wchar_t* window_class) {
    unique_window w(::CreateWindowExW(0, window_class, L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr));
    return ::GetWindowLongPtrW(w.get(), GWLP_WNDPROC);
}

TEST_F(KeyLatchHotkey, TearDownPutsBothProceduresBackBeforeTheHiddenWindowGoes) {
    auto latch = with_combination(L"Gone", L"Ctrl + Alt + F9", VK_F9, kCtrlAlt);
    int pressed = 0;
    latch->events.on_hotkey_pressed = [&] { ++pressed; };
    latch->hotkey_enabled(true);
    DestroyRecord record{latch->hotkey_window(), latch->text_box()};
    EXPECT_EQ(::GetWindowLongPtrW(record.hidden, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&hotkey_window_proc));
    EXPECT_EQ(::GetWindowLongPtrW(record.text_box, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&text_box_window_proc));
    // A hidden window of the system's dialog class answers as the dialog procedure does.
    unique_window plain_dialog(::CreateWindowExW(0, L"#32770", L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                                 ::GetModuleHandleW(nullptr), nullptr));
    EXPECT_EQ(::SendMessageW(record.hidden, WM_QUERYENDSESSION, 0, 0),
              ::SendMessageW(plain_dialog.get(), WM_QUERYENDSESSION, 0, 0));
    EXPECT_NE(::SendMessageW(record.hidden, WM_QUERYENDSESSION, 0, 0), 0) << "would block log-off";

    g_record = &record;
    unique_hook hook(
        ::SetWindowsHookExW(WH_CALLWNDPROC, &watch_destroy, nullptr, ::GetCurrentThreadId()));
    ::PostMessageW(record.hidden, WM_HOTKEY, 1, 0);
    latch.reset();
    pump_for(100);
    hook.reset();
    g_record = nullptr;

    EXPECT_EQ(pressed, 0) << "a WM_HOTKEY reached a destroyed control";
    EXPECT_FALSE(::IsWindow(record.hidden));
    EXPECT_EQ(record.hidden_proc, fresh_window_proc(L"#32770"));
    EXPECT_FALSE(record.hidden_props_left);
    EXPECT_NE(record.text_box_proc_then, reinterpret_cast<LONG_PTR>(&text_box_window_proc));
    EXPECT_FALSE(record.text_box_prop_left);
    EXPECT_EQ(record.text_box_proc, fresh_window_proc(L"EDIT"));
    EXPECT_FALSE(held_elsewhere(kCtrlAlt, VK_F9)) << "the registration died with the window";
}

}  // namespace
}  // namespace vantero::test
