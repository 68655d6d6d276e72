// Saving and closing the editor: what reaches the main window and set.ini.
#include <fstream>
#include <iterator>

#include "tests/win/edit_fixture.h"

namespace vantero::test {
namespace {

using Calls = std::vector<std::wstring>;

std::wstring keys_call(int row, const std::wstring& display, const std::wstring& sequence) {
    return L"keys " + std::to_wstring(row) + L" [" + display + L"] " + sequence;
}

TEST_F(EditWindowTest, SavingKeysWritesTheRowAndSetIni) {
    struct Case {
        int row;
        const wchar_t* picks[3];
        const wchar_t* display;
        const wchar_t* sequence;
    };
    const Case cases[] = {
        {0, {L"Ctrl", L"", L"A"}, L"Ctrl + A", L"2|17|65"},  // a gap in the middle closes up
        {1, {L"Shift", L"Alt", L"Z"}, L"Shift + Alt + Z", L"3|16|18|90"},
        {2, {L"R-5", L"", L""}, L"R-5", L"1|101"},
        {3, {L"L-0", L"", L""}, L"L-0", L"1|48"},
        {4, {L"Ctrl", L"Enter", L""}, L"Ctrl + Enter", L"2|17|13"},
        {8, {L"Win", L"BOTTOM", L"/"}, L"Win + BOTTOM + /", L"3|91|40|111"},  // row 9: key "8"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        renew();
        editor().open_keys(c.row);
        pick3(c.picks[0], c.picks[1], c.picks[2]);
        click(editor_ids::kSaveKeysButton);

        const std::wstring key = std::to_wstring(c.row);
        EXPECT_EQ(host_.calls, (Calls{keys_call(c.row, c.display, c.sequence), L"main"}));
        EXPECT_EQ(ini(L"conftext", key), c.display);
        EXPECT_EQ(ini(L"conftooltip", key), c.sequence);
        EXPECT_TRUE(editor().is_loaded());
        EXPECT_FALSE(::IsWindowVisible(editor().hwnd())) << "hidden after saving";
    }
}

TEST_F(EditWindowTest, AnEmptyFirstSelectorSavesNothing) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, const wchar_t*>> picks;
    };
    const Case cases[] = {
        {"nothing picked", {}},
        {"only the others",
         {{editor_ids::kSecondKeyList, L"A"}, {editor_ids::kThirdKeyList, L"B"}}},
        {"first taken back",
         {{editor_ids::kFirstKeyList, L"Ctrl"},
          {editor_ids::kSecondKeyList, L"A"},
          {editor_ids::kFirstKeyList, L""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        renew();
        editor().open_keys(0);
        for (const auto& [id, name] : c.picks) pick(id, name);
        click(editor_ids::kSaveKeysButton);
        EXPECT_EQ(host_.calls, Calls{L"main"});
        EXPECT_FALSE(ini_exists());
        EXPECT_FALSE(::IsWindowVisible(editor().hwnd()));
    }
}

TEST_F(EditWindowTest, PickingTheEmptyEntryAgainDropsThatKey) {
    editor().open_keys(0);
    pick3(L"Shift", L"A", L"Z");
    pick(editor_ids::kSecondKeyList, L"");
    click(editor_ids::kSaveKeysButton);
    EXPECT_EQ(host_.calls, (Calls{keys_call(0, L"Shift + Z", L"2|16|90"), L"main"}));
}

TEST_F(EditWindowTest, OpensOnEachRowsOwnKeysAndRemarkAndLeavesThemAloneUnchanged) {
    host_.sequences[0] = L"2|17|65";
    host_.remarks[0] = L"复制";
    editor().open_keys(1);
    pick3(L"Shift", L"", L"B");  // picked for row 2, but not saved

    editor().open_keys(0);
    EXPECT_EQ(shown(editor_ids::kFirstKeyList) + L"," + shown(editor_ids::kSecondKeyList) + L"," +
                  shown(editor_ids::kThirdKeyList),
              L"Ctrl,A,");
    click(editor_ids::kSaveKeysButton);
    editor().open_remark(0);
    EXPECT_EQ(control_text(editor_ids::kRemarkBox), L"复制");
    click(editor_ids::kSaveRemarkButton);
    editor().open_keys(1);
    EXPECT_EQ(shown(editor_ids::kFirstKeyList) + L"," + shown(editor_ids::kSecondKeyList) + L"," +
                  shown(editor_ids::kThirdKeyList),
              L",,");
    click(editor_ids::kSaveKeysButton);
    editor().open_remark(1);
    EXPECT_EQ(control_text(editor_ids::kRemarkBox), L"");
    click(editor_ids::kSaveRemarkButton);
    // Saving what the row already holds writes nothing anywhere.
    EXPECT_EQ(host_.calls, (Calls{L"main", L"main", L"main", L"main"}));
    EXPECT_FALSE(ini_exists());

    // A change is saved, and the next opening of that row shows it.
    editor().open_keys(1);
    pick(editor_ids::kFirstKeyList, L"Alt");
    click(editor_ids::kSaveKeysButton);
    EXPECT_EQ(ini(L"conftooltip", L"1"), L"1|18");
    editor().open_keys(1);
    EXPECT_EQ(shown(editor_ids::kFirstKeyList) + L"," + shown(editor_ids::kSecondKeyList), L"Alt,");
}

TEST_F(EditWindowTest, ClosingShowsTheMainWindowAndUnloads) {
    struct Case {
        const char* how;
        void (*close)(HWND editor, HWND close_picture);
    };
    const Case cases[] = {
        {"close picture",
         [](HWND, HWND picture) {
             ::SendMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             ::SendMessageW(picture, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
         }},
        {"WM_CLOSE", [](HWND window, HWND) { ::SendMessageW(window, WM_CLOSE, 0, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        renew();
        editor().open_remark(4);
        type_remark(L"写了一半");
        pick(editor_ids::kFirstKeyList, L"Alt");
        const HWND window = editor().hwnd();
        c.close(window, control(editor_ids::kCloseButton));
        pump_for(20);

        EXPECT_EQ(host_.calls, Calls{L"main"});
        EXPECT_FALSE(editor().is_loaded());
        EXPECT_EQ(editor().hwnd(), nullptr);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_FALSE(ini_exists()) << "closing writes nothing";

        editor().open_remark(4);
        ASSERT_TRUE(editor().is_loaded());
        EXPECT_NE(editor().hwnd(), window);
        EXPECT_EQ(::GetWindowTextLengthW(control(editor_ids::kRemarkBox)), 0)
            << "remark text discarded";
        EXPECT_EQ(shown(editor_ids::kFirstKeyList), L"") << "the row's own (empty) keys";
    }
}

TEST_F(EditWindowTest, SavingTheRemark) {
    struct Case {
        int row;
        const wchar_t* text;
        bool tells_the_row;
    };
    const Case cases[] = {
        {3, L"复制", true},
        {6, L"一二三四五六七八九十", true},  // longer than the hint says: stored whole
        {7, L"Alt+Tab 切换", true},
        {5, L"", false},  // written as empty, the row's label keeps its text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        renew();
        host_.remarks[5] = L"旧的";
        editor().open_remark(c.row);
        type_remark(c.text);
        click(editor_ids::kSaveRemarkButton);

        const std::wstring key = std::to_wstring(c.row);
        Calls expected;
        if (c.tells_the_row) expected.push_back(L"remark " + key + L" [" + c.text + L"]");
        expected.push_back(L"main");
        EXPECT_EQ(host_.calls, expected);
        EXPECT_EQ(ini(L"remark", key), c.text);
        EXPECT_FALSE(::IsWindowVisible(editor().hwnd()));
    }

    // The file holds the system's code page (GBK here), as earlier versions wrote it.
    std::ifstream in(settings_file_path().c_str(), std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(bytes.find("3=\xB8\xB4\xD6\xC6"), std::string::npos);  // 复制
    EXPECT_NE(bytes.find("5=\r\n"), std::string::npos);
}

TEST_F(EditWindowTest, ARemarkWithLineBreaksStaysOnItsLine) {
    // Another program may put any text into the box; line breaks would start new sections.
    editor().open_remark(0);
    type_remark(L"a\r\n[KeyLatch]\r\nKeyLatch9KeyCode=65\r\nKeyLatch9ModKeyCode=2");
    click(editor_ids::kSaveRemarkButton);
    EXPECT_EQ(ini(L"KeyLatch", L"KeyLatch9KeyCode"), L"(missing)");
    EXPECT_EQ(ini(L"remark", L"0"), L"a [KeyLatch] KeyLatch9KeyCode=65 KeyLatch9ModKeyCode=2");
}

}  // namespace
}  // namespace vantero::test
