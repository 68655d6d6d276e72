// The whole program in this process under Wine, as main.cpp runs it: set.ini as earlier versions
// wrote it, the real windows driven with real messages, and the user's keys injected into the
// test's focused window, which logs what the program types into it.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <sddl.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>

#include "app/application.h"
#include "app/integrity.h"
#include "app/single_instance.h"
#include "common/external_strings.h"
#include "common/text_win.h"
#include "common/window_util.h"
#include "editor/editor_ids.h"
#include "settings/settings_file.h"
#include "tests/win/win_support.h"

namespace vantero {
namespace {

using test::FocusedWindow;
using test::hotkey_taken;
using test::inject;
using test::play;
using test::pump_for;
using test::pump_until;
namespace ext = external;

constexpr POINT kCloseArea{790, 38};  // the main window's close area, in client pixels
const std::wstring kNothingCaptured = L"按下快捷键";
const std::vector<std::wstring> kNoBox;
const IniLocation kIni = locate_beside(program_path(), L"app_test.ini");

std::vector<BYTE> keys_down() {
    std::vector<BYTE> down;
    for (int vk = VK_BACK; vk < 256; ++vk)
        if (::GetAsyncKeyState(vk) < 0) down.push_back(static_cast<BYTE>(vk));
    return down;
}

std::string key(int vk, bool up = false) {
    return (up ? "up:" : "dn:") + std::to_string(vk);
}

// "caption: text", as the message box catcher logs a box.
std::wstring box(const wchar_t* caption, const wchar_t* text) {
    return std::wstring(caption) + L": " + text;
}

std::string file_bytes() {
    std::ifstream in(std::filesystem::path(kIni.shown), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A row of set.ini; the n-th row's trigger is Ctrl+Alt+n.
struct Row {
    std::wstring target, sequence, remark = L"";
};

// set.ini as earlier versions wrote it on Chinese systems: code page 936.
std::string gbk_ini(const std::vector<Row>& rows) {
    std::wstring latch = L"[KeyLatch]\r\n", targets = L"[conftext]\r\n",
                 sequences = L"[conftooltip]\r\n", remarks = L"[remark]\r\n";
    for (size_t k = 0; k < rows.size(); ++k) {
        const std::wstring name = L"KeyLatch" + std::to_wstring(k + 1), index = std::to_wstring(k);
        latch += name + L"Text=Ctrl + Alt + " + std::to_wstring(k + 1) + L"\r\n" + name +
                 L"KeyCode=" + std::to_wstring('1' + k) + L"\r\n" + name + L"ModKeyCode=3\r\n";
        targets += index + L"=" + rows[k].target + L"\r\n";
        sequences += index + L"=" + rows[k].sequence + L"\r\n";
        remarks += index + L"=" + rows[k].remark + L"\r\n";
    }
    const std::wstring text = latch + targets + sequences + remarks;
    std::string bytes(text.size() * 2, '\0');
    bytes.resize(::WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()),
                                       bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                       nullptr));
    return bytes;
}

class AppTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        // The exit opens the home page: no browser under the test.
        wchar_t overrides[512] = {};
        ::GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 512);
        ::SetEnvironmentVariableW(L"WINEDLLOVERRIDES",
                                  (std::wstring(overrides) + L";winebrowser.exe=d").c_str());
    }

    void SetUp() override {
        // Rows that type each other's triggers for ever: stopped, and the extra sends are seen.
        window.on_key = [this](const FocusedWindow::Key&) {
            if (window.keys.size() > 60)
                for (int n = 1; n <= 9; ++n) main().hotkey_box(n).hotkey_enabled(false);
        };
    }
    void TearDown() override {
        for (BYTE vk : keys_down()) play(key(vk, true));
        stop();
        window.on_key = nullptr;
        std::filesystem::remove(kIni.shown);
    }

    // held, if given, gets set.ini opened with no sharing, as another program may hold it.
    bool start(const std::string& ini_bytes, unique_file* held = nullptr, bool in_tray = false) {
        std::ofstream(std::filesystem::path(kIni.shown), std::ios::binary) << ini_bytes;
        if (held) {
            held->reset(::CreateFileW(kIni.shown.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        }
        // Released once the settings are saved at the end: the keys down then are the user's.
        app_ = std::make_unique<Application>(
            kIni, [this] { keys_at_release_ = keys_down(); }, in_tray);
        if (!app_->start()) return false;
        main_ = ::FindWindowW(ext::kMainClass, ext::kMainCaption);
        return main_ == main().hwnd() && ::IsWindowVisible(main_) != in_tray;
    }
    void stop() {
        app_.reset();
        // Each program's tray window registers its class with that program's icon.
        ::UnregisterClassW(ext::kTrayClass, ::GetModuleHandleW(nullptr));
    }
    MainWindow& main() { return app_->main_window(); }
    // A click on the first row's target box, as it arrives: the editor, once shown.
    HWND open_editor() {
        ::PostMessageW(main().target_box(0), WM_LBUTTONUP, 0, 0);
        HWND editor = nullptr;
        EXPECT_TRUE(pump_until([&] {
            return (editor = ::FindWindowW(ext::kEditorClass, ext::kEditorCaption)) &&
                   ::IsWindowVisible(editor);
        }));
        return editor;
    }

    // Until the focused window has heard nothing for a while: every send is over.
    void pump_quiet() {
        size_t heard = SIZE_MAX;
        double since = 0;
        pump_until(
            [&] {
                if (window.keys.size() != heard) heard = window.keys.size(), since = test::now_ms();
                return test::now_ms() - since > 400;
            },
            30000);
    }
    // The user holds Ctrl and Alt, with the focused window's log cleared.
    void hold_ctrl_alt() {
        EXPECT_TRUE(window.focus());
        window.clear();
        play("dn:17 dn:18"), pump_for(100);
    }
    // The user presses Ctrl+Alt+n and lets go of Ctrl and Alt once the program is done; what the
    // focused window heard of the given keys.
    std::string typed(int n, const std::vector<unsigned>& vks) {
        hold_ctrl_alt();
        play(key('0' + n) + " " + key('0' + n, true)), pump_quiet();
        play("up:18 up:17"), pump_quiet();
        return window.heard(vks);
    }
    // The user types Ctrl+Shift+digit into row n's hotkey box.
    void capture(int n, char digit) {
        ASSERT_TRUE(test::give_focus(main_, main().hotkey_box(n).text_box()));
        play("dn:17 dn:16 " + key(digit) + " " + key(digit, true) + " up:16 up:17"), pump_quiet();
    }

    std::wstring shown(int n) { return window_text(main().hotkey_box(n).text_box()); }
    bool ticked(int n) {
        return ::SendMessageW(main().enable_box(n), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void click(int n) { ::SendMessageW(main().enable_box(n), BM_CLICK, 0, 0); }
    static bool registered(int n) { return hotkey_taken('0' + n); }
    // As Windows asks before it ends the session: every top-level window of the program, hidden
    // ones too; the session ends only if none refuses.
    static bool session_may_end() {
        bool all = true;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM yes) {
                if (!::SendMessageW(window, WM_QUERYENDSESSION, 0, 0))
                    *reinterpret_cast<bool*>(yes) = false;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&all));
        return all;
    }
    // Every row's trigger as set.ini holds it equals what its hotkey box shows.
    void expect_triggers_saved() {
        for (int n = 1; n <= 9; ++n) {
            std::wstring saved;
            for (const wchar_t* name : {ext::kTextKey, ext::kKeyCodeKey, ext::kModKeyCodeKey}) {
                saved += L"/" + read_setting(kIni, ext::kHotkeySection,
                                             L"KeyLatch" + std::to_wstring(n) + name, L"");
            }
            KeyLatch& latch = main().hotkey_box(n);
            EXPECT_EQ(saved, L"/" + shown(n) + L"/" + std::to_wstring(latch.key_code()) + L"/" +
                                 std::to_wstring(latch.mod_key_code()))
                << "row " << n;
        }
    }

    static HWND tray() { return ::FindWindowW(ext::kTrayClass, ext::kTrayCaption); }
    static void choose(UINT item) { ::SendMessageW(tray(), WM_COMMAND, item, 0); }
    // The tray menu's ticked items as it opens: "暂停 开机自动启动".
    std::wstring ticks_shown() {
        std::wstring items;
        window.after(50, [&] {
            const auto menu = reinterpret_cast<HMENU>(
                ::SendMessageW(::FindWindowW(L"#32768", nullptr), MN_GETHMENU, 0, 0));
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                wchar_t text[64] = {};
                ::GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
                if (::GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED)
                    items += (items.empty() ? L"" : L" ") + std::wstring(text);
            }
            ::EndMenu();
        });
        ::SendMessageW(tray(), TrayIcon::kIconMessage, 0, WM_RBUTTONUP);
        return items;
    }
    // Whether the icon the shell shows (Wine's own tray, on the display) turns coloured or grey.
    // The shell draws a new icon over the old one: a few edge pixels keep their colour.
    static bool icon_turns(bool coloured) {
        return pump_until(
            [&] {
                HWND icon = ::FindWindowExW(::FindWindowW(L"__winex11_standalone_tray", nullptr),
                                            nullptr, L"__winex11_tray_icon", nullptr);
                RECT r;
                if (!icon || !::GetWindowRect(icon, &r) || r.right <= r.left) return false;
                HDC screen = ::GetDC(nullptr);
                int count = 0;
                for (LONG y = r.top; y < r.bottom; ++y) {
                    for (LONG x = r.left; x < r.right; ++x) {
                        const COLORREF c = ::GetPixel(screen, x, y);
                        const auto [low, high] =
                            std::minmax({GetRValue(c), GetGValue(c), GetBValue(c)});
                        count += high - low > 40;
                    }
                }
                ::ReleaseDC(nullptr, screen);
                const int percent = count * 100 / ((r.right - r.left) * (r.bottom - r.top));
                return coloured ? percent > 20 : percent < 5;
            },
            10000);
    }
    // Whether a balloon of the shell (a visible tooltip window of another process) shows up
    // once action has run that was not there before.
    static bool balloon_after(const std::function<void()>& action) {
        auto balloons = [] {
            std::set<HWND> shown;
            for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr));) {
                DWORD process = 0;
                ::GetWindowThreadProcessId(w, &process);
                if (process != ::GetCurrentProcessId() && ::IsWindowVisible(w)) shown.insert(w);
            }
            return shown;
        };
        const std::set<HWND> before = balloons();
        action();
        return pump_until([&] { return !std::ranges::includes(before, balloons()); }, 10000);
    }

    FocusedWindow& window = FocusedWindow::shared();
    test::MessageBoxCatcher boxes;
    std::unique_ptr<Application> app_;
    HWND main_ = nullptr;
    std::optional<std::vector<BYTE>> keys_at_release_;
};

// A garbled set.ini walks the parsers the fuzzers and the native tables take.
TEST_F(AppTest, ShowsWhatSetIniHoldsAndRegistersNothing) {
    ASSERT_TRUE(start(gbk_ini({{L"Ctrl + Z", L"2|17|90", L"撤销备注"}})));
    EXPECT_EQ(shown(1) + L"," + window_text(main().target_box(0)) + L"," + main().remark(0),
              L"Ctrl + Alt + 1,Ctrl + Z,撤销备注");
    for (int n = 1; n <= 9; ++n)
        EXPECT_FALSE(ticked(n) || registered(n) || (n > 1 && shown(n) != kNothingCaptured)) << n;
    // A click on a target box before the editor has loaded: it opens on its lists complete.
    const HWND editor = open_editor();
    EXPECT_EQ(window_text(::GetDlgItem(editor, editor_ids::kFirstKeyList)) + L"," +
                  window_text(::GetDlgItem(editor, editor_ids::kSecondKeyList)),
              L"Ctrl,Z");
}

TEST_F(AppTest, ATickedRowTypesExactlyItsTargetUntilUntickedButNotIntoAHigherLevel) {
    ASSERT_TRUE(start(gbk_ini(
        {{L"Ctrl + A", L"2|17|65"}, {L"B", L"1|66"}, {L"Shift + Alt + C", L"3|16|18|67"}, {}})));
    const char* heard[] = {"up:49 dn:65{c} up:65", "up:50 dn:66{} up:66", "up:51 dn:67{sa} up:67"};
    for (int n = 1; n <= 3; ++n) {
        const unsigned trigger = '0' + n, target = 'A' + n - 1;
        SCOPED_TRACE(n);
        click(n);
        EXPECT_TRUE(ticked(n) && registered(n));
        EXPECT_EQ(typed(n, {trigger, target}), heard[n - 1]);
        click(n);
        EXPECT_FALSE(ticked(n) || registered(n));
        EXPECT_EQ(typed(n, {target}), "");
    }
    // Windows drops keys sent to a program of a higher level: nothing is sent, the user is told.
    click(2);
    int asked = 0;
    unsigned long target_level = 0x3000;
    main().set_integrity_seam(0x2000, [&] {
        ++asked;
        return ForegroundProgram{target_level, L"admin.exe"};
    });
    ASSERT_TRUE(icon_turns(true)) << "no icon";
    EXPECT_TRUE(balloon_after([&] { EXPECT_EQ(typed(2, {'B'}), ""); }));
    EXPECT_EQ(asked, 1);
    target_level = 0x2000;
    EXPECT_EQ(typed(2, {'B'}), "dn:66{} up:66");
    click(4);  // a row without target keys
    EXPECT_FALSE(ticked(4) || registered(4));
    EXPECT_EQ(boxes.take(), std::vector{box(ext::kErrorCaption, ext::kNoTargetKeys)});
}

// A held trigger's repeats are the end-to-end journey's and the send engine's.
TEST_F(AppTest, TargetsThatAreTriggersReachTheWindowAndStayBounded) {
    ASSERT_TRUE(start(gbk_ini({{L"Ctrl + Alt + 1", L"3|17|18|49"},
                               {L"Ctrl + Alt + 3", L"3|17|18|51"},
                               {L"Ctrl + Alt + 2", L"3|17|18|50"}})));
    for (int n = 1; n <= 3; ++n) click(n);
    // The user's Ctrl and Alt serve each target, which reaches the window as it is, though it
    // is a trigger of its own row or of another.
    const std::pair<int, const char*> presses[] = {{1, "up:49 dn:49{ca} up:49"},
                                                   {1, "up:49 dn:49{ca} up:49"},
                                                   {2, "up:50 dn:51{ca} up:51"},
                                                   {3, "up:51 dn:50{ca} up:50"}};
    for (const auto& [n, heard] : presses) EXPECT_EQ(typed(n, {'1', '2', '3'}), heard) << n;
    // Another program takes row 3's trigger while row 2 types it: row 3 is unticked and told,
    // and keeps its trigger. (The message takes the focus from this window, which shares the
    // program's thread, before the last key-up is read: that goes to the message.)
    window.on_key = [&](const FocusedWindow::Key& k) {
        if (!k.up && k.vk == '3') ::RegisterHotKey(nullptr, 3, MOD_CONTROL | MOD_ALT, '3');
    };
    EXPECT_EQ(typed(2, {'2', '3'}).substr(0, 15), "up:50 dn:51{ca}");
    ::UnregisterHotKey(nullptr, 3);
    EXPECT_EQ(keys_down(), std::vector<BYTE>{});
    EXPECT_TRUE(ticked(2) && !ticked(3) && !main().hotkey_box(3).hotkey_enabled());
    EXPECT_EQ(main().hotkey_box(3).key_code(), '3');
    EXPECT_EQ(boxes.take(), std::vector{box(ext::kErrorCaption, ext::kHotkeyTaken)});
}

// Alt+F4 (the window's close) only hides it; the close area ends the program, which lets go of a
// send's keys and saves every trigger first.
TEST_F(AppTest, ClosingHidesTheWindowAndAnExitDuringASendReleasesItsKeysSavesEveryTrigger) {
    ASSERT_TRUE(start(gbk_ini({{L"B + C", L"2|66|67"}})));
    click(1);
    ASSERT_TRUE(test::give_focus(main_));
    play("dn:18 dn:115 up:115 up:18");
    EXPECT_TRUE(::IsWindow(main_) && !::IsWindowVisible(main_));
    EXPECT_EQ(typed(1, {'B', 'C'}), "dn:66{} dn:67{} up:67 up:66");
    main().show_topmost();
    // While the send holds its keys, the user lets go and clicks the close area.
    window.on_key = [&](const FocusedWindow::Key& k) {
        if (k.up || k.vk != 'B') return;
        inject("up:18 up:17");
        ::PostMessageW(main_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kCloseArea.x, kCloseArea.y));
        ::PostMessageW(main_, WM_LBUTTONUP, 0, MAKELPARAM(kCloseArea.x, kCloseArea.y));
    };
    hold_ctrl_alt();
    play("dn:49 up:49");
    EXPECT_TRUE(pump_until([&] { return keys_at_release_.has_value(); }, 20000));
    pump_quiet();
    EXPECT_EQ(window.heard({'B', 'C'}), "dn:66{} dn:67{} up:67 up:66");
    EXPECT_EQ(keys_at_release_, std::vector<BYTE>{}) << "the program ended with keys down";
    expect_triggers_saved();
}

TEST_F(AppTest, ACaptureUnticksItsRowAndTheSessionEndsOnlyOnceEveryTriggerIsSaved) {
    ASSERT_TRUE(start(gbk_ini({{L"B", L"1|66"}})));
    click(1);
    // Windows ends the session through another query, or at once although the first was refused.
    for (const auto& [digit, asks_again] : {std::pair{'7', true}, {'8', false}}) {
        SCOPED_TRACE(digit);
        {
            // Another program holds set.ini without sharing: the capture's save fails, and the
            // session may not end yet.
            const unique_file held(::CreateFileW(kIni.shown.c_str(), GENERIC_READ, 0, nullptr,
                                                 OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held);
            capture(1, digit);
            EXPECT_EQ(main().hotkey_box(1).key_code(), digit);
            EXPECT_FALSE(ticked(1) || registered(1))
                << "the box holds a new trigger, not registered";
            EXPECT_FALSE(session_may_end());
        }
        EXPECT_EQ(boxes.take(), kNoBox) << "a message box at shut-down";
        if (asks_again)
            EXPECT_TRUE(session_may_end());
        else
            ::SendMessageW(tray(), WM_ENDSESSION, TRUE, 0);
        expect_triggers_saved();
    }
}

TEST_F(AppTest, ASetIniHeldAtStartIsReportedAndItsTriggersAreKeptUnlessCapturedAnew) {
    const std::string stored = gbk_ini({{L"B", L"1|66"}, {L"C", L"1|67"}});
    unique_file held;
    ASSERT_TRUE(start(stored, &held));
    std::vector<std::wstring> seen;
    ASSERT_TRUE(pump_until([&] {
        for (std::wstring& seen_box : boxes.take()) seen.push_back(std::move(seen_box));
        return !seen.empty();
    }));
    held.reset();
    EXPECT_EQ(seen[0].rfind(std::wstring(ext::kReadFailedCaption) + L": ", 0), 0u);
    EXPECT_NE(seen[0].find(L"文件正被其他程序占用。"), std::wstring::npos);
    EXPECT_EQ(shown(1), kNothingCaptured);
    ::SendMessageW(tray(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(main().save_triggers(), DWORD{ERROR_SUCCESS});
    EXPECT_EQ(file_bytes(), stored) << "nothing written";

    // A trigger the user captures in such a row is theirs to keep.
    capture(2, '7');
    EXPECT_EQ(main().save_triggers(), DWORD{ERROR_SUCCESS});
    EXPECT_EQ(read_setting(kIni, ext::kHotkeySection, L"KeyLatch1KeyCode", L""), L"49");
    EXPECT_EQ(read_setting(kIni, ext::kHotkeySection, L"KeyLatch2KeyCode", L""), L"55");
}

// Rows left started start again with no click and no question (a typing key was confirmed when
// ticked); one another program holds stays unticked with its trigger, named in a balloon, and
// starts the next time it is free. Ticks and captures are kept at once, not only at the exit.
TEST_F(AppTest, RowsLeftStartedStartAgainAndThoseRefusedKeepTheirTriggers) {
    std::string ini = gbk_ini({{L"B", L"1|66"}, {L"C", L"1|67"}, {L"D", L"1|68"}, {L"E", L"1|69"}});
    ini.replace(ini.find("Ctrl + Alt + 3"), 14, "3");
    ini.replace(ini.find("KeyLatch3ModKeyCode=3"), 21, "KeyLatch3ModKeyCode=0");
    ASSERT_TRUE(start(ini + "[" + narrow(ext::kRowSwitchSection) + "]\r\n2=1\r\n"));
    EXPECT_TRUE(ticked(3)) << "a confirmed typing key is not asked about again";
    click(1), click(2), click(4), click(4);
    stop();  // no exit sequence: what is kept is kept already

    ASSERT_TRUE(::RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, '2'));
    bool started = false;
    EXPECT_TRUE(balloon_after([&] { started = start(file_bytes()); })) << "row 2 not named";
    ::UnregisterHotKey(nullptr, 7);
    ASSERT_TRUE(started);
    EXPECT_TRUE(ticked(1) && registered(1) && ticked(3));
    EXPECT_FALSE(ticked(2) || registered(2) || ticked(4));
    EXPECT_EQ(shown(2), L"Ctrl + Alt + 2");
    EXPECT_EQ(boxes.take(), kNoBox);
    EXPECT_EQ(typed(1, {'B'}), "dn:66{} up:66");

    capture(1, '7');
    stop();
    ASSERT_TRUE(start(file_bytes()));
    EXPECT_TRUE(ticked(2) && registered(2)) << "free again, row 2 starts";
    EXPECT_FALSE(ticked(1)) << "a capture unticked row 1";
    EXPECT_EQ(shown(1), L"Ctrl + Shift + 7");
}

TEST_F(AppTest, TheShellsRestartBringsTheIconBack) {
    ASSERT_TRUE(start(""));
    // The icon's id is its handle, which the tray window's class carries too.
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = tray();
    icon.uID = static_cast<UINT>(::GetClassLongPtrW(tray(), GCLP_HICON));
    // The icon follows the window's first paint; a shell that starts again knows no icons.
    ASSERT_TRUE(pump_until([&] { return ::Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE; }));
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &icon));
    ASSERT_FALSE(::Shell_NotifyIconW(NIM_MODIFY, &icon));
    ::SendMessageW(tray(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(::Shell_NotifyIconW(NIM_MODIFY, &icon));
}

TEST_F(AppTest, TheMenusStartWithWindowsItemWritesTheRunValueItShows) {
    auto run_value = [] {
        wchar_t value[1024] = {};
        DWORD size = sizeof(value);
        ::RegGetValueW(HKEY_CURRENT_USER, ext::kRunKey, ext::kRunValueName, RRF_RT_REG_SZ, nullptr,
                       value, &size);
        return std::wstring(value);
    };
    auto set_run_value = [](const std::wstring& value) {
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, ext::kRunKey, ext::kRunValueName);
        if (!value.empty()) {
            ::RegSetKeyValueW(HKEY_CURRENT_USER, ext::kRunKey, ext::kRunValueName, REG_SZ,
                              value.c_str(), static_cast<DWORD>((value.size() + 1) * 2));
        }
    };
    const std::wstring ours = L"\"" + own_program_path() + L"\" /tray";
    set_run_value(L"");
    ASSERT_TRUE(start(""));
    EXPECT_EQ(run_value(), L"") << "written before the user asked";
    // Before the click, the value and whether the menu ticks it; after it, the value.
    const std::tuple<std::wstring, bool, std::wstring> clicks[] = {
        {L"", false, ours}, {ours, true, L""}, {L"\"C:\\old\\vantero.exe\" /tray", false, ours}};
    for (const auto& [before, ticked, after] : clicks) {
        SCOPED_TRACE(testing::Message() << before.size());
        set_run_value(before);
        EXPECT_EQ(ticks_shown(), ticked ? L"开机自动启动" : L"");
        choose(kTrayStartWithWindows);
        EXPECT_EQ(run_value(), after);
    }
    set_run_value(L"");
    EXPECT_EQ(boxes.take(), kNoBox);

    // A Run key the user may read but not write: the failure is reported, nothing is ticked.
    HKEY key;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, ext::kRunKey, 0, READ_CONTROL | WRITE_DAC, &key),
              ERROR_SUCCESS);
    std::array<BYTE, 4096> original{};
    DWORD size = sizeof(original);
    PSECURITY_DESCRIPTOR read_only = nullptr;
    ASSERT_EQ(::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, original.data(), &size),
              ERROR_SUCCESS);
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(
        L"D:(A;;KR;;;WD)", SDDL_REVISION_1, &read_only, nullptr));
    ASSERT_EQ(::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, read_only), ERROR_SUCCESS);
    choose(kTrayStartWithWindows);
    ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, original.data());
    ::RegCloseKey(key), ::LocalFree(read_only);
    const std::vector<std::wstring> seen = boxes.take();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].find(box(ext::kSaveFailedCaption, ext::kRunValueFailed)), 0u) << seen[0];
    EXPECT_EQ(run_value(), L"");
    EXPECT_EQ(ticks_shown(), L"");
}

TEST_F(AppTest, PauseUnregistersEveryRowWithAGreyIconAndResumesThoseStillFree) {
    ASSERT_TRUE(start(gbk_ini({{L"B", L"1|66"}, {L"C", L"1|67"}})));
    click(1), click(2);
    ASSERT_TRUE(icon_turns(true)) << "no coloured icon";
    choose(kTrayPause);
    EXPECT_TRUE(ticked(1) && ticked(2));
    EXPECT_FALSE(registered(1) || registered(2));
    EXPECT_TRUE(icon_turns(false));
    EXPECT_EQ(typed(1, {'B'}), "");

    // Another program takes row 2's trigger while the rows are paused.
    ASSERT_TRUE(::RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, '2'));
    EXPECT_TRUE(balloon_after([] { choose(kTrayPause); })) << "row 2 not named";
    ::UnregisterHotKey(nullptr, 7);
    EXPECT_TRUE(ticked(1) && registered(1));
    EXPECT_FALSE(ticked(2) || registered(2));
    EXPECT_EQ(shown(2), L"Ctrl + Alt + 2");
    EXPECT_TRUE(icon_turns(true));
    EXPECT_EQ(typed(1, {'B'}), "dn:66{} up:66");
    EXPECT_EQ(boxes.take(), kNoBox);
}

TEST_F(AppTest, AStartInTheTrayShowsNothingAndASecondStartShowsTheFirst) {
    SingleInstance first;
    ASSERT_TRUE(first.is_first());
    ASSERT_TRUE(start("", nullptr, true));
    std::filesystem::path exe(own_program_path());
    exe = exe.parent_path().parent_path().parent_path() / "app" / "vantero.exe";
    auto run = [](const std::filesystem::path& program, const wchar_t* arguments) {
        std::wstring command = L"\"" + program.wstring() + L"\"" + arguments;
        STARTUPINFOW info{};
        info.cb = sizeof(info);
        PROCESS_INFORMATION process{};
        EXPECT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &info, &process));
        ::CloseHandle(process.hThread);
        return unique_kernel_handle(process.hProcess);
    };
    auto ended = [](const unique_kernel_handle& process) {
        return pump_until([&] { return ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; },
                          20000);
    };
    // The first window of that class of that process.
    auto window_of = [](const wchar_t* name, DWORD process) {
        for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, name, nullptr));) {
            DWORD owner = 0;
            if (::GetWindowThreadProcessId(w, &owner), owner == process) return w;
        }
        return HWND{};
    };
    for (const auto& [arguments, shown] : {std::pair{L" /tray", false}, {L"", true}}) {
        const unique_kernel_handle second = run(exe, arguments);
        EXPECT_TRUE(ended(second));
        pump_for(100);  // what it posted before it ended
        EXPECT_EQ(::IsWindowVisible(main_) != FALSE, shown) << arguments;
    }

    // A copy restarted as administrator waits for this one to let go, then runs (in a folder of
    // its own, for its set.ini).
    const auto folder = std::filesystem::temp_directory_path() / "vantero_restarted";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(exe, folder / "vantero.exe",
                               std::filesystem::copy_options::overwrite_existing);
    const unique_kernel_handle restarted = run(folder / "vantero.exe", L" /restarted");
    pump_for(1500);  // a copy that did not wait would have ended by now
    first.release();
    const DWORD id = ::GetProcessId(restarted.get());
    EXPECT_TRUE(pump_until(
        [&] { return ::IsWindowVisible(window_of(ext::kMainClass, id)) != FALSE; }, 20000));
    ::PostMessageW(window_of(ext::kTrayClass, id), WM_COMMAND, kTrayExit, 0);
    EXPECT_TRUE(ended(restarted));
    std::filesystem::remove_all(folder);
}

// Where the windows and a row's controls sit at a resolution: the main window's and the editor's
// width and height, the first hotkey box's and the last check box's left, top, width and height,
// and the height of the target boxes' 9 pt font. The layout's twips and 96-dpi pixels are each
// converted on their own and rounded half up.
using Geometry = std::array<LONG, 13>;
const std::map<int, Geometry> kGeometry = {
    {96, {814, 591, 547, 280, 249, 155, 113, 20, 640, 477, 65, 25, -12}},
    {144, {1221, 887, 821, 420, 374, 233, 170, 30, 960, 716, 98, 38, -18}},
    {192, {1628, 1182, 1094, 560, 498, 310, 226, 40, 1280, 954, 130, 50, -24}},
};

Geometry geometry(HWND main, HWND editor, MainWindow& window) {
    Geometry g{};
    LONG* at = g.data();
    for (HWND w : {main, editor, window.hotkey_box(1).hwnd(), window.enable_box(9)}) {
        RECT r;
        ::GetWindowRect(w, &r);
        ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        if (w != main && w != editor) *at++ = r.left, *at++ = r.top;
        *at++ = r.right - r.left, *at++ = r.bottom - r.top;
    }
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HGDIOBJ>(::SendMessageW(window.target_box(0), WM_GETFONT, 0, 0)),
                 sizeof(font), &font);
    *at = font.lfHeight;
    return g;
}

// Run at 96, 144 and 192 dpi (the prefix's LogPixels); a move to a monitor of another scale is
// what WM_DPICHANGED tells.
TEST_F(AppTest, TheWindowsFollowTheScreensResolution) {
    const int dpi = system_dpi();
    if (!kGeometry.count(dpi)) GTEST_SKIP() << "no figures for " << dpi << " dpi";
    ASSERT_TRUE(start(""));
    const HWND editor = open_editor();
    EXPECT_EQ(geometry(main_, editor, main()), kGeometry.at(dpi));
    for (const int moved_to : {192, 144, dpi}) {
        SCOPED_TRACE(moved_to);
        for (HWND moved : {main_, editor}) {
            RECT r{10, 20, 10 + kGeometry.at(moved_to)[0], 20 + kGeometry.at(moved_to)[1]};
            ::SendMessageW(moved, WM_DPICHANGED, MAKEWPARAM(moved_to, moved_to),
                           reinterpret_cast<LPARAM>(&r));
            ::GetWindowRect(moved, &r);
            EXPECT_EQ(std::pair(r.left, r.top), std::pair(10L, 20L));
        }
        EXPECT_EQ(geometry(main_, editor, main()), kGeometry.at(moved_to));
    }
}

}  // namespace
}  // namespace vantero
