// A KeyLatch keeps its hotkey in the INI file or the registry, refuses design-time properties at
// run time, and applies its look to the real text box.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "common/text_win.h"
#include "hotkey/key_latch_settings.h"
#include "settings/settings_file.h"
#include "tests/win/key_event_log.h"
#include "tests/win/key_latch_fixture.h"

namespace vantero::test {
namespace {

using KeyLatchSettings = KeyLatchTest;

constexpr DWORD kSaved = ERROR_SUCCESS;

std::string file_bytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::wstring stored_in_registry(const std::wstring& app, const std::wstring& value) {
    wchar_t buffer[256] = {};
    DWORD size = sizeof(buffer);
    if (::RegGetValueW(HKEY_CURRENT_USER, registry_settings_key(app, L"KeyLatch").c_str(),
                       value.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    return buffer;
}

TEST_F(KeyLatchSettings, CaptureSavedToTheIniFileComesBackInTheNextControl) {
    {
        auto latch = host->add(L"KeyLatch2", layout());
        EXPECT_EQ(latch->text(), kPlaceholder) << "first run, no file";
        ASSERT_TRUE(host->focus(latch->text_box()));
        play_keys("dn:17 dn:18 dn:65 up:65 up:18 up:17");
        EXPECT_EQ(latch->save_settings(), kSaved);
    }
    EXPECT_NE(file_bytes(ini_path).find(
                  "[KeyLatch]\r\nKeyLatch2Text=Ctrl + Alt + A\r\nKeyLatch2KeyCode=65\r\n"
                  "KeyLatch2ModKeyCode=3\r\n"),
              std::string::npos)
        << file_bytes(ini_path);
    auto again = host->add(L"KeyLatch2", layout());
    EXPECT_EQ(again->text(), L"Ctrl + Alt + A");
    EXPECT_EQ(again->key_code(), 65);
    EXPECT_EQ(again->mod_key_code(), 3);
    EXPECT_EQ(settings_file_path(), ini_path) << "loading fixed the program-wide path";
}

TEST_F(KeyLatchSettings, AFailedSaveReturnsTheSystemError) {
    auto latch = host->add(L"KeyLatch3", layout());
    ASSERT_TRUE(::CreateDirectoryW(ini_path.c_str(), nullptr)) << "set.ini taken by a folder";
    EXPECT_EQ(latch->save_settings(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ::RemoveDirectoryW(ini_path.c_str());
}

TEST_F(KeyLatchSettings, StoredValuesAreShownAsStoredOrReadAsNothingCaptured) {
    struct Case {
        const wchar_t* text;      // null: not in the file
        const wchar_t* key_code;  // null: not in the file
        const wchar_t* mod_key_code;
        std::wstring shown;
        int key, mods;
    };
    const Case cases[] = {
        {L"手改的文字", L"65", L"3", L"手改的文字", 65, 3},   // hand-edited: shown unchanged
        {L"  Ctrl + A ", L" 65 ", L"2", L"Ctrl + A", 65, 2},  // the INI functions trim blanks
        {L"Ctrl + A", nullptr, nullptr, L"Ctrl + A", 0, 0},
        {nullptr, L"86", L"2", kPlaceholder, 0, 0},  // not registered behind the placeholder
        {L"Ctrl + A", L"", L"2", kPlaceholder, 0, 0},
        {L"Ctrl + A", L"abc", L"2", kPlaceholder, 0, 0},
        {L"Ctrl + A", L"0x41", L"2", kPlaceholder, 0, 0},
        {L"Ctrl + A", L"65", L"2x", kPlaceholder, 0, 0},
        {L"Ctrl + A", L"256", L"2", kPlaceholder, 0, 0},
        {L"Ctrl + A", L"65", L"16", kPlaceholder, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.key_code ? narrow(c.key_code) : "missing"));
        ::DeleteFileW(ini_path.c_str());
        if (c.text) write_setting(L"KeyLatch", L"KeyLatch1Text", c.text);
        if (c.key_code) write_setting(L"KeyLatch", L"KeyLatch1KeyCode", c.key_code);
        if (c.mod_key_code) write_setting(L"KeyLatch", L"KeyLatch1ModKeyCode", c.mod_key_code);
        auto latch = host->add(L"KeyLatch1", layout());
        EXPECT_EQ(latch->text(), c.shown);
        EXPECT_EQ(latch->key_code(), c.key);
        EXPECT_EQ(latch->mod_key_code(), c.mods);
    }
}

TEST_F(KeyLatchSettings, RegistryModeRoundTrips) {
    const std::wstring app = L"VanteroKeyLatchTest";
    const std::wstring app_key = L"Software\\VB and VBA Program Settings\\" + app;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, app_key.c_str());
    KeyLatchLayout in_registry = layout();
    in_registry.setting_location = 1;
    in_registry.reg_key_name = app;
    {
        auto latch = host->add(L"RegLatch", in_registry);
        EXPECT_EQ(latch->text(), kPlaceholder);
        ASSERT_TRUE(host->focus(latch->text_box()));
        play_keys("dn:16 dn:116 up:116 up:16");
        EXPECT_EQ(latch->save_settings(), kSaved);
    }
    EXPECT_EQ(stored_in_registry(app, L"RegLatchText"), L"Shift + F5");
    EXPECT_EQ(stored_in_registry(app, L"RegLatchKeyCode"), L"116");
    EXPECT_EQ(stored_in_registry(app, L"RegLatchModKeyCode"), L"4");
    auto again = host->add(L"RegLatch", in_registry);
    EXPECT_EQ(again->text(), L"Shift + F5");
    EXPECT_EQ(again->key_code(), 116);
    EXPECT_EQ(again->mod_key_code(), 4);
    EXPECT_EQ(::GetFileAttributesW(ini_path.c_str()), INVALID_FILE_ATTRIBUTES)
        << "nothing went to the INI file";
    EXPECT_EQ(::RegDeleteTreeW(HKEY_CURRENT_USER, app_key.c_str()), ERROR_SUCCESS);
}

TEST_F(KeyLatchSettings, DesignTimePropertiesAreRefusedAtRunTimeAndStoredInDesignMode) {
    const std::function<void(KeyLatch&)> writes[] = {
        [](KeyLatch& k) { k.ini_file_name(L"other.ini"); },
        [](KeyLatch& k) { k.setting_location(1); },
        [](KeyLatch& k) { k.reg_key_name(L"Other"); },
    };
    auto fields = [](const KeyLatch& k) {
        return k.ini_file_name() + L"|" + std::to_wstring(k.setting_location()) + L"|" +
               k.reg_key_name();
    };
    KeyLatchLayout with_text = layout();
    with_text.text = L"Ctrl + B";
    auto run = host->add(L"Run", layout());
    auto design = host->add(L"Design", with_text, false);
    std::wstring changed;
    run->events.on_property_changed = design->events.on_property_changed = [&](const wchar_t* p) {
        changed += std::wstring(p) + L" ";
    };
    for (const auto& write : writes) {
        try {
            write(*run);
            ADD_FAILURE() << "written at run time";
        } catch (const KeyLatchError& e) {
            EXPECT_EQ(e.number(), 382);
        }
        write(*design);
    }
    EXPECT_EQ(fields(*run), L"keylatch_test.ini|0|KeyLatch");
    EXPECT_EQ(fields(*design), L"other.ini|1|Other");
    EXPECT_EQ(changed, L"ini_file_name setting_location reg_key_name ");
    EXPECT_EQ(settings_file_path().substr(settings_file_path().rfind(L'\\')),
              L"\\keylatch_test.ini")
        << "the program's settings file is the program's business, not a control's";

    // A designer shows the layout's text and gets no hidden window and no hooks.
    EXPECT_EQ(design->text(), L"Ctrl + B");
    EXPECT_EQ(design->hotkey_window(), nullptr);
    EXPECT_EQ(::GetPropW(design->text_box(), L"WinProc"), nullptr);
}
}  // namespace
}  // namespace vantero::test
