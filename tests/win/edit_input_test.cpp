// The editor driven by real mouse and keyboard input, as the user drives it.
#include <functional>
#include <thread>

#include "tests/win/edit_fixture.h"

namespace vantero::test {
namespace {

bool wait_until(const std::function<bool()>& done, int timeout_ms = 3000) {
    const double end = now_ms() + timeout_ms;
    while (!done()) {
        if (now_ms() > end) return false;
        pump_for(10);
    }
    return true;
}

INPUT mouse(DWORD flags, POINT at = {}) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        const int width = ::GetSystemMetrics(SM_CXSCREEN);
        const int height = ::GetSystemMetrics(SM_CYSCREEN);
        in.mi.dx = (at.x * 65535 + (width - 1) / 2) / (width - 1);
        in.mi.dy = (at.y * 65535 + (height - 1) / 2) / (height - 1);
    }
    return in;
}

INPUT move_to(POINT at) {
    return mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at);
}

void send(std::vector<INPUT> inputs) {
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void click_at(POINT at) {
    send({move_to(at), mouse(MOUSEEVENTF_LEFTDOWN), mouse(MOUSEEVENTF_LEFTUP)});
}

void press_key(WORD vk) {
    INPUT down{}, up{};
    down.type = up.type = INPUT_KEYBOARD;
    down.ki.wVk = up.ki.wVk = vk;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    send({down, up});
}

void type_text(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wScan = c;
        in.ki.dwFlags = KEYEVENTF_UNICODE;
        inputs.push_back(in);
        in.ki.dwFlags |= KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    send(inputs);
}

POINT centre_of(HWND control) {
    RECT box;
    ::GetWindowRect(control, &box);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

class EditInputTest : public EditWindowTest {
protected:
    // The window must have the keyboard; the pointer starts away from it.
    void open_in_front(bool remark_mode, int row) {
        send({move_to({5, 5})});
        pump_for(50);
        if (remark_mode) {
            editor().open_remark(row);
        } else {
            editor().open_keys(row);
        }
        ASSERT_TRUE(wait_until([&] { return ::GetForegroundWindow() == editor().hwnd(); }));
        pump_for(100);
    }
    bool called(const std::wstring& call) const {
        return std::find(host_.calls.begin(), host_.calls.end(), call) != host_.calls.end();
    }
};

TEST_F(EditInputTest, PickingByKeyboardAndMouseThenClickingSave) {
    open_in_front(false, 0);
    ASSERT_EQ(::GetFocus(), control(editor_ids::kFirstKeyList));

    // A letter in the closed first list moves to the next entry starting with it.
    press_key('C');
    EXPECT_TRUE(wait_until([&] { return shown(editor_ids::kFirstKeyList) == L"Ctrl"; }));

    // The third list opened by a click, "Z" chosen by keyboard, Enter closes it.
    HWND third = control(editor_ids::kThirdKeyList);
    click_at(centre_of(third));
    ASSERT_TRUE(wait_until([&] { return ::SendMessageW(third, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
    press_key('Z');
    press_key(VK_RETURN);
    EXPECT_TRUE(wait_until([&] {
        return ::SendMessageW(third, CB_GETDROPPEDSTATE, 0, 0) == 0 &&
               shown(editor_ids::kThirdKeyList) == L"Z";
    }));

    click_at(centre_of(control(editor_ids::kSaveKeysButton)));
    EXPECT_TRUE(wait_until([&] { return called(L"main"); }));
    EXPECT_EQ(host_.calls, (std::vector<std::wstring>{L"keys 0 [Ctrl + Z] 2|17|90", L"main"}));
    EXPECT_EQ(ini(L"conftooltip", L"0"), L"2|17|90");
    EXPECT_FALSE(::IsWindowVisible(editor().hwnd()));
}

TEST_F(EditInputTest, TypingARemarkThenClickingSave) {
    open_in_front(true, 2);
    ASSERT_EQ(::GetFocus(), control(editor_ids::kRemarkBox));
    type_text(L"备注 A1 超过七个字");  // the box takes 7 characters, as its hint says
    press_key(VK_RETURN);              // nothing special: no save, no new line
    EXPECT_TRUE(
        wait_until([&] { return ::GetWindowTextLengthW(control(editor_ids::kRemarkBox)) == 7; }));
    pump_for(100);
    EXPECT_EQ(::GetWindowTextLengthW(control(editor_ids::kRemarkBox)), 7);
    EXPECT_TRUE(host_.calls.empty());
    EXPECT_TRUE(::IsWindowVisible(editor().hwnd()));

    click_at(centre_of(control(editor_ids::kSaveRemarkButton)));
    EXPECT_TRUE(wait_until([&] { return called(L"main"); }));
    EXPECT_EQ(host_.calls, (std::vector<std::wstring>{L"remark 2 [备注 A1 超]", L"main"}));
    EXPECT_EQ(ini(L"remark", L"2"), L"备注 A1 超");
}

TEST_F(EditInputTest, ClickingTheClosePictureUnloads) {
    open_in_front(false, 0);
    pick(editor_ids::kFirstKeyList, L"Alt");
    click_at(centre_of(control(editor_ids::kCloseButton)));
    EXPECT_TRUE(wait_until([&] { return !editor().is_loaded(); }));
    EXPECT_EQ(host_.calls, std::vector<std::wstring>{L"main"});
}

TEST_F(EditInputTest, DraggingTheSkinMovesTheWindowHoveringDoesNot) {
    struct Case {
        const char* what;
        bool button_held;
        POINT moved;
    };
    for (const Case c : {Case{"hover", false, {0, 0}}, Case{"drag", true, {40, 32}}}) {
        SCOPED_TRACE(c.what);
        renew();
        open_in_front(false, 0);
        HWND window = editor().hwnd();
        RECT before;
        ::GetWindowRect(window, &before);
        const POINT grip{before.left + 25, before.top + 160};  // bare skin left of the lists
        ASSERT_EQ(::WindowFromPoint(grip), window);
        auto at = [&](int dx, int dy) { return move_to({grip.x + dx, grip.y + dy}); };

        // A drag runs the system's move loop inside the message that starts it, so the rest
        // of the gesture comes from another thread. A click ends the hover case, so a loop
        // started by mistake ends too.
        std::vector<INPUT> start{at(0, 0)};
        if (c.button_held) start.push_back(mouse(MOUSEEVENTF_LEFTDOWN));
        start.push_back(at(2, 2));
        std::vector<INPUT> rest{at(12, 10), at(22, 18), at(32, 26), at(42, 34)};
        if (!c.button_held) rest.push_back(mouse(MOUSEEVENTF_LEFTDOWN));
        rest.push_back(mouse(MOUSEEVENTF_LEFTUP));

        send(start);
        std::thread later([rest] {
            ::Sleep(300);
            send(rest);
        });
        pump_for(1000);
        later.join();
        pump_for(100);

        RECT after;
        ::GetWindowRect(window, &after);
        EXPECT_EQ(after.left - before.left, c.moved.x);
        EXPECT_EQ(after.top - before.top, c.moved.y);
        EXPECT_TRUE(::IsWindowVisible(window));
    }
}

}  // namespace
}  // namespace vantero::test
