// The hotkey box in a real window under Wine: what real key presses capture, the names of
// extended keys, the system-wide registration and its refusals, tear-down, and the capture kept in
// set.ini.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "hotkey/key_latch.h"
#include "settings/settings_file.h"
#include "tests/win/win_support.h"

namespace vantero::test {
namespace {

const std::wstring kPlaceholder = L"按下快捷键";
constexpr UINT kCtrlAlt = MOD_CONTROL | MOD_ALT;
const KeyLatchLayout kLayout;

// "Ctrl + Alt + A 65 3": the text, the key code and the modifier mask.
std::wstring capture(const KeyLatch& latch) {
    return latch.text() + L" " + std::to_wstring(latch.key_code()) + L" " +
           std::to_wstring(latch.mod_key_code());
}

class KeyLatchUnderWine : public ::testing::Test {
protected:
    void SetUp() override { ::DeleteFileW(ini.used.c_str()); }
    void TearDown() override { ::DeleteFileW(ini.used.c_str()); }
    // A control in the focused window; it finds Ctrl+Alt+key stored under its name if key is set.
    std::unique_ptr<KeyLatch> add(const std::wstring& name, int key = 0) {
        const std::pair<const wchar_t*, std::wstring> stored[] = {
            {L"Text", L"stored"}, {L"KeyCode", std::to_wstring(key)}, {L"ModKeyCode", L"3"}};
        for (const auto& [suffix, value] : stored)
            if (key) write_setting(ini, L"KeyLatch", name + suffix, value);
        return std::make_unique<KeyLatch>(host.hwnd(), name, RECT{10, 10, 155, 31}, kLayout, true,
                                          ini);
    }
    const IniLocation ini = locate_beside(program_path(), L"key_latch_test.ini");
    FocusedWindow& host = FocusedWindow::shared();
    MessageBoxCatcher boxes;
};

TEST_F(KeyLatchUnderWine, KeyPressesInTheBoxBecomeTheCombination) {
    const std::pair<const char*, std::wstring> cases[] = {
        {"dn:17 dn:18 dn:65 up:65 up:18 up:17", L"Ctrl + Alt + A 65 3"},
        {"dn:91 dn:16 dn:116 up:116 up:16 up:91", L"Win + Shift + F5 116 12"},
        // Not what the program types while the user holds a trigger.
        {"dn:17 dn:18 dn:232* up:232* up:18* dn:66* up:66* up:18 up:17", kPlaceholder + L" 0 0"},
    };
    for (const auto& [keys, captured] : cases) {
        auto latch = add(L"Capture");
        ASSERT_TRUE(host.focus(latch->text_box()));
        play(keys);
        EXPECT_EQ(capture(*latch), captured) << keys;
    }
}

// Keys that share their scan code with a keypad key or with another key: the layout tells them
// apart by the extended flag. Wine's names come from the X keyboard, so they are compared.
TEST_F(KeyLatchUnderWine, KeysSharingAScanCodeShowNamesOfTheirOwn) {
    auto latch = add(L"Names");
    ASSERT_TRUE(host.focus(latch->text_box()));
    auto name_of = [&](int vk) {
        play("dn:" + std::to_string(vk) + " up:" + std::to_string(vk));
        return latch->text();
    };
    const std::pair<int, int> twins[] = {
        {VK_DELETE, VK_DECIMAL}, {VK_LEFT, VK_NUMPAD4}, {VK_NUMLOCK, VK_PAUSE}};
    for (auto [key, twin] : twins) EXPECT_NE(name_of(key), name_of(twin)) << key;
    play("dn:144 up:144");  // Num Lock as it was
}

TEST_F(KeyLatchUnderWine, RefusedRegistrationsShowTheirMessageAndKeepTheCapture) {
    auto first = add(L"First", VK_F9);
    first->hotkey_enabled(true);
    ASSERT_TRUE(::RegisterHotKey(host.hwnd(), 7, kCtrlAlt, VK_F11));  // another program's
    const std::wstring taken = L"error: Hotkey already exists, please change a hotkey.";
    const std::tuple<int, std::wstring, std::wstring> cases[] = {
        {VK_F9, taken, L"stored 120 3"},
        {VK_F11, taken, L"stored 122 3"},
        {kVkUnassigned, L"error: Not set hotkey", L"stored 232 3"},  // a key without a name
        {0, L"error: Not set hotkey", kPlaceholder + L" 0 0"}};
    for (const auto& [key, box, kept] : cases) {
        const std::wstring name = L"Refused" + std::to_wstring(key);
        auto latch = add(name, key);
        latch->hotkey_enabled(true);
        EXPECT_FALSE(latch->hotkey_enabled());
        EXPECT_EQ(capture(*latch), kept);
        EXPECT_EQ(boxes.take(), std::vector{box});
        EXPECT_EQ(latch->save_settings(), DWORD{ERROR_SUCCESS});
        EXPECT_EQ(capture(*add(name)), kept) << "what set.ini holds";
    }
    ::UnregisterHotKey(host.hwnd(), 7);
    EXPECT_TRUE(first->hotkey_enabled() && hotkey_taken(VK_F9)) << "the refusals left it alone";
}

// Which control a hotkey raises, and how often, shows in what the app test's rows type.
TEST_F(KeyLatchUnderWine, AKeyDownInTheBoxUnregistersAndCapturingNeverRegisters) {
    auto f9 = add(L"F9", VK_F9);
    f9->hotkey_enabled(true);
    ASSERT_TRUE(hotkey_taken(VK_F9));
    ASSERT_TRUE(host.focus(f9->text_box()));
    play("dn:17");
    EXPECT_FALSE(f9->hotkey_enabled() || hotkey_taken(VK_F9));
    play("dn:18 dn:120 up:120 up:18 up:17");
    EXPECT_EQ(capture(*f9), L"Ctrl + Alt + F9 120 3");
    EXPECT_FALSE(f9->hotkey_enabled() || hotkey_taken(VK_F9)) << "capturing never registers";
}

// What the hidden window and the text box hold as the hidden window is destroyed.
thread_local HWND t_hidden, t_text_box;
thread_local std::wstring t_left_behind;

LRESULT CALLBACK note_destroy(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && m->message == WM_DESTROY && m->hwnd == t_hidden) {
        t_left_behind.clear();
        for (HWND w : {t_hidden, t_text_box}) {
            const auto class_procedure = static_cast<LONG_PTR>(::GetClassLongPtrW(w, GCLP_WNDPROC));
            if (::GetWindowLongPtrW(w, GWLP_WNDPROC) != class_procedure) t_left_behind += L"proc ";
            for (const wchar_t* name : {L"WinProc", L"Object"})
                t_left_behind += ::GetPropW(w, name) ? std::wstring(name) + L" " : L"";
        }
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(KeyLatchUnderWine, TearDownPutsBackBothProceduresAndTheirPropertiesFirst) {
    auto latch = add(L"Gone", VK_F9);
    latch->hotkey_enabled(true);
    t_hidden = latch->hotkey_window();
    t_text_box = latch->text_box();
    t_left_behind = L"not destroyed";
    const unique_hook hook(
        ::SetWindowsHookExW(WH_CALLWNDPROC, &note_destroy, nullptr, ::GetCurrentThreadId()));
    latch.reset();
    EXPECT_EQ(t_left_behind, L"");
    EXPECT_FALSE(hotkey_taken(VK_F9)) << "the registration goes with the hidden window";
}

TEST_F(KeyLatchUnderWine, DesignTimePropertiesAreRefusedAtRunTimeWithError382) {
    auto latch = add(L"Run");
    const std::function<void()> writes[] = {[&] { latch->ini_file_name(L"other.ini"); },
                                            [&] { latch->setting_location(1); },
                                            [&] { latch->reg_key_name(L"Other"); }};
    for (const auto& write : writes) {
        int error = 0;
        try {
            write();
        } catch (const KeyLatchError& e) {
            error = e.number();
        }
        EXPECT_EQ(error, 382);
    }
}

}  // namespace
}  // namespace vantero::test
