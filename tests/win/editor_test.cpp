// The key-sequence editor: it opens on each row's own keys and remark, saves only what changed
// into the row and set.ini, refuses a remark the file cannot hold, reports a failed write, and
// answers real mouse and keyboard input.
// The fixture is the editor's host: it keeps the rows as the main window does and logs what the
// editor tells it.
#include <gtest/gtest.h>

#include <array>

#include "common/palette.h"
#include "common/picture_win.h"
#include "common/window_util.h"
#include "editor/editor_ids.h"
#include "editor/editor_window.h"
#include "resources/resource_ids.h"
#include "settings/settings_file.h"
#include "settings/target_row.h"
#include "tests/win/win_support.h"

namespace vantero::test {
namespace {

namespace ids = editor_ids;

class EditorUnderWine : public ::testing::Test, public EditorHost {
protected:
    void SetUp() override { ::DeleteFileW(ini.used.c_str()); }
    void TearDown() override {
        ::DeleteFileW(ini.used.c_str());
        ::RemoveDirectoryW(ini.used.c_str());
    }
    void set_row_keys(int k, const std::wstring& display,
                      const std::optional<TargetKeys>& keys) override {
        log(L"keys " + std::to_wstring(k) + L" [" + display + L"] " + stored_text(keys));
    }
    void set_row_remark(int k, const std::wstring& remark) override {
        log(L"remark " + std::to_wstring(k) + L" [" + remark + L"]");
    }
    void show_main() override { log(L"main"); }
    const std::optional<TargetKeys>& row_keys(int k) const override { return keys[k]; }
    std::wstring row_remark(int k) const override { return remarks[k]; }
    void log(const std::wstring& call) { calls += (calls.empty() ? L"" : L", ") + call; }

    HWND control(int id) const {
        const HWND direct = ::GetDlgItem(editor.hwnd(), id);
        return direct ? direct : ::GetDlgItem(::GetDlgItem(editor.hwnd(), ids::kRemarkPanel), id);
    }
    std::wstring text(int id) const { return window_text(control(id)); }
    std::wstring picked() const {  // "Ctrl,A,"
        return text(ids::kFirstKeyList) + L"," + text(ids::kSecondKeyList) + L"," +
               text(ids::kThirdKeyList);
    }
    // What a pick in a list does: the selection moves, then the parent hears CBN_SELCHANGE.
    void pick(int id, const wchar_t* name) {
        ::SendMessageW(control(id), CB_SELECTSTRING, ~WPARAM{0}, reinterpret_cast<LPARAM>(name));
        ::SendMessageW(::GetParent(control(id)), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(control(id)));
    }
    void click(int id) { ::SendMessageW(control(id), BM_CLICK, 0, 0); }

    std::wstring calls;
    std::array<std::optional<TargetKeys>, 9> keys;
    std::array<std::wstring, 9> remarks;
    MessageBoxCatcher boxes;  // no test waits on a box it did not expect
    const IniLocation ini = locate_beside(program_path(), L"editor_test.ini");
    EditorWindow editor{*this, ini};
};

TEST_F(EditorUnderWine, OpensOnEachRowsOwnKeysAndRemarkAndSavesOnlyWhatChanged) {
    keys[0] = TargetKeys::parse("2|17|65");
    remarks[0] = L"复制";
    editor.open_keys(1);
    pick(ids::kFirstKeyList, L"Shift");  // never saved
    editor.open_keys(0);
    EXPECT_EQ(picked(), L"Ctrl,A,");
    click(ids::kSaveKeysButton);
    editor.open_remark(0);
    EXPECT_EQ(text(ids::kRemarkBox), L"复制");
    // Characters the file's code page cannot hold, as another program may set them: refused.
    ::SetWindowTextW(control(ids::kRemarkBox), L"Mäx😀ñ");
    click(ids::kSaveRemarkButton);
    const std::vector<std::wstring> seen = boxes.take();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].find(L"：ä😀ñ\n"), std::wstring::npos) << seen[0];
    ::SetWindowTextW(control(ids::kRemarkBox), L"复制");
    click(ids::kSaveRemarkButton);
    EXPECT_EQ(calls, L"main, main");
    EXPECT_EQ(::GetFileAttributesW(ini.shown.c_str()), INVALID_FILE_ATTRIBUTES)
        << "saving what the row holds writes nothing";

    editor.open_keys(1);
    EXPECT_EQ(picked(), L",,");
    pick(ids::kFirstKeyList, L"Alt");
    pick(ids::kThirdKeyList, L"B");
    click(ids::kSaveKeysButton);
    editor.open_remark(0);
    ::SetWindowTextW(control(ids::kRemarkBox), L"");
    click(ids::kSaveRemarkButton);
    EXPECT_EQ(calls, L"main, main, keys 1 [Alt + B] 2|18|66, main, remark 0 [], main");
    EXPECT_EQ(read_setting(ini, L"conftooltip", L"1", L"") + L"," +
                  read_setting(ini, L"remark", L"0", L"missing"),
              L"2|18|66,");
}

TEST_F(EditorUnderWine, AFailedWriteIsReportedAndTheRowKeepsTheChange) {
    ASSERT_TRUE(::CreateDirectoryW(ini.shown.c_str(), nullptr));  // set.ini taken
    editor.open_remark(3);
    ::SetWindowTextW(control(ids::kRemarkBox), L"复制");
    click(ids::kSaveRemarkButton);
    const std::vector<std::wstring> seen = boxes.take();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].rfind(L"保存失败: ", 0), 0u);
    EXPECT_NE(seen[0].find(L"\n" + ini.shown + L"\n"), std::wstring::npos);
    EXPECT_NE(seen[0].find(L"这个位置是一个同名的文件夹。"), std::wstring::npos);
    EXPECT_EQ(calls, L"remark 3 [复制], main");
}

void click_at(HWND control) {
    RECT box;
    ::GetWindowRect(control, &box);
    ::SetCursorPos((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    ::mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ::mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

// Picking keys with real clicks, letters and Enter is the end-to-end journey's part.
TEST_F(EditorUnderWine, TheUserTypesARemarkSavesAndClosesWithMouseAndKeyboard) {
    // Nine letters and Enter into the remark box, which opens in front with the focus: it takes
    // seven, Enter does nothing.
    editor.open_remark(2);
    ASSERT_TRUE(pump_until([&] {
        return ::GetForegroundWindow() == editor.hwnd() && ::GetFocus() == control(ids::kRemarkBox);
    }));
    play(
        "dn:65 up:65 dn:66 up:66 dn:67 up:67 dn:68 up:68 dn:69 up:69 dn:70 up:70 dn:71 up:71 "
        "dn:72 up:72 dn:73 up:73 dn:13 up:13");
    click_at(control(ids::kSaveRemarkButton));
    EXPECT_TRUE(pump_until([&] { return calls.find(L"remark") != std::wstring::npos; }));

    // The close picture unloads the editor and writes nothing.
    editor.open_keys(2);
    ASSERT_TRUE(give_focus(editor.hwnd(), control(ids::kFirstKeyList)));
    pick(ids::kFirstKeyList, L"Alt");
    const HWND window = editor.hwnd();
    click_at(control(ids::kCloseButton));
    EXPECT_TRUE(pump_until([&] { return !::IsWindow(window); }));
    EXPECT_FALSE(editor.is_loaded());
    EXPECT_EQ(calls, L"remark 2 [abcdefg], main, main");
    EXPECT_EQ(read_setting(ini, L"remark", L"2", L""), L"abcdefg");
}

// These tests never set up COM, yet every picture of every scale decodes, and the skin is exactly
// the see-through colour wherever it is not skin: a swapped byte order would leave a red frame
// round the window, a blended stretch a blue fringe.
TEST(SkinPicturesUnderWine, DecodeAtEveryScaleWithTheSeeThroughColourExact) {
    for (int id : {IDB_SKIN_MAIN, IDB_HIDE_BUTTON, IDB_SKIN_EDIT, IDB_CLOSE_BUTTON}) {
        for (int step = 0; step < 4; ++step) EXPECT_TRUE(load_bitmap(id + step * IDB_SCALE_STEP));
    }
    for (int dpi : {96, 120, 144, 168, 192, 240}) {
        SCOPED_TRACE(dpi);
        const unique_gdi_object skin = load_bitmap_for_dpi(IDB_SKIN_EDIT, {539, 276}, Scale(dpi));
        DIBSECTION dib{};
        ASSERT_EQ(::GetObjectW(skin.get(), sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
        EXPECT_EQ(std::pair(dib.dsBm.bmWidth, dib.dsBm.bmHeight),
                  std::pair((539L * dpi + 48) / 96, (276L * dpi + 48) / 96));
        const auto* bits = static_cast<const BYTE*>(dib.dsBm.bmBits);  // blue, green, red
        EXPECT_EQ(RGB(bits[2], bits[1], bits[0]), palette::kSeeThrough);
        int fringe = 0;
        for (LONG y = 0; y < dib.dsBm.bmHeight; ++y) {
            for (LONG x = 0; x < dib.dsBm.bmWidth; ++x) {
                const BYTE* p = bits + y * dib.dsBm.bmWidthBytes + x * 3;
                const bool key = RGB(p[2], p[1], p[0]) == palette::kSeeThrough;
                if (!key && p[0] > 64 && p[0] > p[1] && p[0] > p[2]) ++fringe;
            }
        }
        EXPECT_EQ(fringe, 0);
    }
}

}  // namespace
}  // namespace vantero::test
