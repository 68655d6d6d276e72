// Real key and mouse input into a focused KeyLatch: what it captures and shows, and the editing
// its text box refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "tests/win/key_event_log.h"
#include "tests/win/key_latch_fixture.h"

namespace vantero::test {
namespace {

struct Step {
    const char* keys;
    std::wstring text;
    int key_code;
    int mod_key_code;
};

std::string key_downs(const std::string& script) {
    std::istringstream in(script);
    std::string step, out;
    while (in >> step) {
        if (step.rfind("dn:", 0) != 0 || step == "dn:93") continue;  // Applications: no KeyDown
        if (!out.empty()) out += ' ';
        out += step.substr(3);
    }
    return out;
}

void expect_caret_at_end(HWND box) {
    DWORD start = 0, end = 0;
    ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    const auto length = static_cast<DWORD>(::GetWindowTextLengthW(box));
    EXPECT_EQ(start, length);
    EXPECT_EQ(end, length);
}

// Plays the steps into a fresh control, checking the capture after each.
void play_into_fresh_control(TestHost& host, const KeyLatchLayout& layout,
                             const std::vector<Step>& steps) {
    auto latch = host.add(L"Capture", layout);
    std::string key_down_log;
    latch->events.on_key_down = [&](int& key, int&) {
        if (!key_down_log.empty()) key_down_log += ' ';
        key_down_log += std::to_string(key);
    };
    ASSERT_TRUE(host.focus(latch->text_box()));
    std::string script;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.keys);
        play_keys(step.keys);
        script += std::string(" ") + step.keys;
        EXPECT_EQ(latch->text(), step.text);
        EXPECT_EQ(latch->key_code(), step.key_code);
        EXPECT_EQ(latch->mod_key_code(), step.mod_key_code);
        expect_caret_at_end(latch->text_box());
    }
    EXPECT_EQ(key_down_log, key_downs(script));
}

using KeyLatchCapture = KeyLatchTest;

TEST_F(KeyLatchCapture, KeyPressesBecomeTheCombination) {
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"Ctrl+Alt+A",
         {{"dn:17 dn:18 dn:65", L"Ctrl + Alt + A", 65, 3},
          {"up:65 up:18 up:17", L"Ctrl + Alt + A", 65, 3}}},
        {"Shift, Ctrl, F5: Ctrl is shown first",
         {{"dn:16 dn:17 dn:116 up:116 up:17 up:16", L"Ctrl + Shift + F5", 116, 6}}},
        {"a modifier alone", {{"dn:17", L"Ctrl + ", 0, 2}, {"up:17", kPlaceholder, 0, 0}}},
        {"A released before Ctrl",
         {{"dn:17 dn:65 up:65", L"Ctrl + A", 65, 2}, {"up:17", L"Ctrl + A", 65, 2}}},
        {"a modifier alone after Ctrl+A loses it",
         {{"dn:17 dn:65 up:65 up:17", L"Ctrl + A", 65, 2},
          {"dn:16", L"Shift + ", 0, 4},
          {"up:16", kPlaceholder, 0, 0}}},
        {"the Applications key changes nothing",
         {{"dn:17 dn:65 up:65 up:17", L"Ctrl + A", 65, 2}, {"dn:93 up:93", L"Ctrl + A", 65, 2}}},
        {"right Windows key is an ordinary key",
         {{"dn:92 up:92", layout_key_name(VK_RWIN), 92, 0}}},
        {"left Windows key held",
         {{"dn:91 dn:16 dn:116", L"Win + Shift + F5", 116, 12},
          {"up:116 up:16 up:91", L"Win + Shift + F5", 116, 12}}},
        {"auto-repeat gives the same",
         {{"dn:17 dn:65 dn:65 dn:65 up:65 up:17", L"Ctrl + A", 65, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        play_into_fresh_control(*host, layout(), c.steps);
        release_modifiers();
    }
}

// Keys that share their scan code with a keypad key or with another key, and keys the layout
// leaves unnamed. The layout's names come from the X keyboard under Wine, so they are checked for
// being the key's own rather than spelled out.
TEST_F(KeyLatchCapture, KeysShowTheirOwnNames) {
    auto latch = host->add(L"Names", layout());
    ASSERT_TRUE(host->focus(latch->text_box()));
    auto shown_for = [&](const std::string& keys, int key_code) {
        play_keys(keys);
        EXPECT_EQ(latch->key_code(), key_code) << keys;
        return latch->text();
    };
    auto pressed = [&](int vk) {
        const std::string code = std::to_string(vk);
        return shown_for("dn:" + code + " up:" + code, vk);
    };

    for (int vk : {VK_DELETE, VK_INSERT, VK_HOME, VK_LEFT, VK_SNAPSHOT}) {
        const std::wstring name = pressed(vk);
        EXPECT_FALSE(name.empty()) << vk;
        EXPECT_NE(name.rfind(L"KP_", 0), 0u) << vk << " reads as a keypad key: " << name;
    }

    const std::wstring num_lock = pressed(VK_NUMLOCK);
    play_keys("dn:144 up:144");  // Num Lock back as it was
    const std::wstring pause = pressed(VK_PAUSE);
    EXPECT_FALSE(num_lock.empty());
    EXPECT_FALSE(pause.empty());
    EXPECT_NE(num_lock, pause);

    EXPECT_EQ(pressed(VK_VOLUME_UP), L"Volume Up");
    EXPECT_EQ(pressed(VK_MEDIA_PLAY_PAUSE), L"Play/Pause");
    EXPECT_EQ(pressed(VK_BROWSER_BACK), L"Browser Back");
    // The layout names Break only without the extended bit under Wine.
    EXPECT_NE(shown_for("dn:17 dn:3 up:3 up:17", VK_CANCEL), L"Ctrl + ");
}

// What a plain edit box would do with the same input; shows the clipboard and keys really work.
std::wstring plain_edit_after(HWND host, const char* keys, UINT message) {
    unique_window edit(::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 200, 10, 150, 21,
                                         host, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    ::SetFocus(edit.get());
    pump_until([&] { return ::GetFocus() == edit.get(); });
    if (keys) play_keys(keys);
    if (message) ::SendMessageW(edit.get(), message, 0, 0);
    wchar_t buffer[64] = {};
    ::GetWindowTextW(edit.get(), buffer, 64);
    return buffer;
}

void put_on_clipboard(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(::GlobalLock(memory), text.c_str(), bytes);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);  // the clipboard owns it now
    ::CloseClipboard();
}

TEST_F(KeyLatchCapture, TypingDeletingAndPastingEditNothing) {
    put_on_clipboard(host->hwnd(), L"粘贴");
    ASSERT_EQ(plain_edit_after(host->hwnd(), "dn:17 dn:86 up:86 up:17", 0), L"粘贴")
        << "clipboard or keys broken";
    ASSERT_EQ(plain_edit_after(host->hwnd(), nullptr, WM_PASTE), L"粘贴");

    auto latch = host->add(L"Typing", layout());
    ASSERT_TRUE(host->focus(latch->text_box()));
    const Step steps[] = {
        {"dn:65 up:65 dn:66 up:66", L"B", 66, 0},
        {"dn:8 up:8", layout_key_name(VK_BACK), 8, 0},
        {"dn:17 dn:86 up:86 up:17", L"Ctrl + V", 86, 2},
        {"dn:16 dn:45 up:45 up:16", L"Shift + " + layout_key_name(VK_INSERT), 45, 4},
        {"dn:46 up:46", layout_key_name(VK_DELETE), 46, 0},
        {"dn:37 up:37 dn:36 up:36", layout_key_name(VK_HOME), 36, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.keys);
        play_keys(step.keys);
        EXPECT_EQ(latch->text(), step.text);
        EXPECT_EQ(latch->key_code(), step.key_code);
        EXPECT_EQ(latch->mod_key_code(), step.mod_key_code);
        expect_caret_at_end(latch->text_box());
    }
    for (UINT message : {WM_PASTE, WM_CUT, WM_CLEAR, WM_UNDO, WM_CHAR}) {
        SCOPED_TRACE(message);
        EXPECT_EQ(::SendMessageW(latch->text_box(), message, L'x', 0), 0);
        EXPECT_EQ(latch->text(), layout_key_name(VK_HOME));
    }
}

// The control's mouse events, and no context menu from the keyboard or a right click.
TEST_F(KeyLatchCapture, MouseEventsPassOnAndNoContextMenuAppears) {
    auto latch = host->add(L"Mouse", layout());
    std::string trace;
    auto log = [&](const char* what) {
        return [&trace, what](int& button, int& shift, float& x, float& y) {
            trace += std::string(what) + ":" + std::to_string(button) + "," +
                     std::to_string(shift) + "@" + std::to_string(static_cast<int>(x)) + "," +
                     std::to_string(static_cast<int>(y)) + " ";
        };
    };
    latch->events.on_mouse_down = log("down");
    latch->events.on_mouse_up = log("up");
    latch->events.on_click = [&] { trace += "click "; };
    latch->events.on_double_click = [&] { trace += "dbl "; };
    ASSERT_TRUE(host->focus(latch->text_box()));

    // A plain edit box shows its menu under the same conditions, so the watcher does see menus.
    {
        unique_window edit(::CreateWindowExW(0, L"EDIT", L"x", WS_CHILD | WS_VISIBLE, 200, 10, 150,
                                             21, host->hwnd(), nullptr, ::GetModuleHandleW(nullptr),
                                             nullptr));
        ::SendMessageW(edit.get(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit.get()),
                       MAKELPARAM(210, 120));
        ASSERT_GT(watcher->menus_seen(), 0) << "popup menus are not detected";
    }
    const int menus_before = watcher->menus_seen();
    EXPECT_EQ(::SendMessageW(latch->text_box(), WM_CONTEXTMENU,
                             reinterpret_cast<WPARAM>(latch->text_box()), MAKELPARAM(-1, -1)),
              0);

    POINT at{20, 8};
    ::ClientToScreen(latch->text_box(), &at);
    ::SetCursorPos(at.x, at.y);
    auto click = [](DWORD down, DWORD up) {
        ::mouse_event(down, 0, 0, 0, 0);
        ::mouse_event(up, 0, 0, 0, 0);
        pump_for(60);
    };
    click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    pump_for(300);
    EXPECT_EQ(watcher->menus_seen(), menus_before) << "a context menu appeared";
    EXPECT_EQ(trace, "down:2,0@20,8 up:2,0@20,8 ");

    trace.clear();
    click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(trace, "down:1,0@20,8 up:1,0@20,8 click dbl up:1,0@20,8 ");
    EXPECT_EQ(latch->text(), kPlaceholder);

    // The tooltip learns of the mouse through the control.
    auto tip_shown = [] {
        const std::vector<HWND> windows = visible_windows_of(::GetCurrentThreadId());
        return std::any_of(windows.begin(), windows.end(),
                           [](HWND window) { return class_name(window) == L"tooltips_class32"; });
    };
    latch->tooltip_text(L"按下新的热键");
    ::SetCursorPos(at.x + 5, at.y);
    ::mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    EXPECT_TRUE(pump_until(tip_shown, 3000));
}

}  // namespace
}  // namespace vantero::test
