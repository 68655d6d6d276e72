// The editor window as the user meets it: its lists, its place and style and its two modes.
#include <cstdlib>

#include "common/text_win.h"
#include "common/unique_handle.h"
#include "editor/key_names.h"
#include "tests/win/edit_fixture.h"

namespace vantero::test {
namespace {

POINT centre_on_screen(HWND control) {
    RECT box;
    ::GetWindowRect(control, &box);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

bool same_or_inside(HWND found, HWND ancestor) {
    return found == ancestor || ::IsChild(ancestor, found);
}

// A plain window of one colour over the whole screen, to see through the editor's edges. Shown
// active before the editor opens, so that both are ordinary top-level windows and the editor
// comes above it.
struct Backdrop {
    explicit Backdrop(COLORREF colour) : brush(::CreateSolidBrush(colour)) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"EditTestBackdrop";
        ::RegisterClassW(&wc);
        window.reset(::CreateWindowExW(
            0, wc.lpszClassName, L"", WS_POPUP, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
            ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, wc.hInstance, nullptr));
        ::SetClassLongPtrW(window.get(), GCLP_HBRBACKGROUND,
                           reinterpret_cast<LONG_PTR>(brush.get()));
        ::ShowWindow(window.get(), SW_SHOW);
        pump_for(50);
    }
    unique_gdi_object brush;  // outlives the window
    unique_window window;
};

std::vector<std::wstring> widened(const std::vector<std::string>& names) {
    std::vector<std::wstring> out;
    for (const std::string& n : names) out.push_back(widen(n));
    return out;
}

TEST_F(EditWindowTest, LoadingFillsTheListsHiddenAndPicksNothing) {
    editor().load();
    ASSERT_TRUE(editor().is_loaded());
    EXPECT_FALSE(::IsWindowVisible(editor().hwnd()));
    const struct {
        int id;
        const std::vector<std::string>& names;
    } lists[] = {{editor_ids::kFirstKeyList, first_key_list_names()},
                 {editor_ids::kSecondKeyList, other_key_list_names()},
                 {editor_ids::kThirdKeyList, other_key_list_names()}};
    for (const auto& list : lists) {
        SCOPED_TRACE(list.id);
        HWND box = control(list.id);
        EXPECT_EQ(entries(box), widened(list.names));
        EXPECT_EQ(entries(box).size(), 63u);
        EXPECT_EQ(::SendMessageW(box, CB_GETCURSEL, 0, 0), CB_ERR);
        // A list to pick from: no box to type in.
        EXPECT_EQ(::GetWindowLongPtrW(box, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    }
    const HWND first = editor().hwnd();
    editor().load();
    EXPECT_EQ(editor().hwnd(), first) << "loading again keeps the window";
}

struct Probe {
    EditorWindow* editor;
    int runs;
    bool close;
};

LRESULT CALLBACK probe_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_APP) return ::DefWindowProcW(hwnd, message, wparam, lparam);
    auto* probe = reinterpret_cast<Probe*>(lparam);
    ++probe->runs;
    if (probe->close) ::SendMessageW(probe->editor->hwnd(), WM_CLOSE, 0, 0);
    return 0;
}

// Loading lets waiting messages run while it fills the lists; one of them may even close the
// editor again, which must leave it cleanly unloaded.
TEST_F(EditWindowTest, LoadingRunsWaitingMessagesAndSurvivesBeingClosedMeanwhile) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = probe_proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"EditTestProbe";
    ::RegisterClassW(&wc);
    unique_window helper(::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                           nullptr, wc.hInstance, nullptr));

    for (bool close : {false, true}) {
        SCOPED_TRACE(close ? "closed while filling" : "left alone");
        renew();
        Probe probe{&editor(), 0, close};
        ::PostMessageW(helper.get(), WM_APP, 0, reinterpret_cast<LPARAM>(&probe));
        editor().load();
        EXPECT_EQ(probe.runs, 1) << "ran during the load";
        EXPECT_EQ(editor().is_loaded(), !close);
        EXPECT_EQ(host_.calls,
                  close ? std::vector<std::wstring>{L"main"} : std::vector<std::wstring>{});
    }
    // Loaded again afterwards, the lists are whole.
    editor().open_keys(0);
    EXPECT_EQ(entries(control(editor_ids::kFirstKeyList)).size(), 63u);
    EXPECT_EQ(entries(control(editor_ids::kThirdKeyList)).size(), 63u);
}

TEST_F(EditWindowTest, ABorderlessSeeThroughWindowInTheMiddleOfTheScreen) {
    editor().open_keys(0);
    HWND window = editor().hwnd();
    const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR ex_style = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_TRUE(ex_style & WS_EX_LAYERED);
    EXPECT_FALSE(ex_style & WS_EX_TOOLWINDOW)
        << "keeps a taskbar button while the main window hides";

    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(window, &key, &alpha, &flags));
    EXPECT_EQ(key, 0x00FF0000u);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));

    RECT client, frame;
    ::GetClientRect(window, &client);
    ::GetWindowRect(window, &frame);
    EXPECT_EQ(client.right, 547);
    EXPECT_EQ(client.bottom, 280);
    EXPECT_EQ(frame.left, (::GetSystemMetrics(SM_CXSCREEN) - 547) / 2);
    EXPECT_EQ(frame.top, (::GetSystemMetrics(SM_CYSCREEN) - 280) / 2);
}
TEST_F(EditWindowTest, KeysModeShowsTheListsRemarkModeCoversThem) {
    struct Step {
        bool remark_mode;
        bool panel_shown;
        int focus;
    };
    const Step steps[] = {{false, false, editor_ids::kFirstKeyList},
                          {true, true, editor_ids::kRemarkBox},
                          {false, false, editor_ids::kFirstKeyList}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.remark_mode ? "remark mode" : "keys mode");
        if (s.remark_mode) {
            editor().open_remark(6);
        } else {
            editor().open_keys(6);
        }
        pump_for(50);
        EXPECT_TRUE(::IsWindowVisible(editor().hwnd()));
        EXPECT_EQ(::IsWindowVisible(panel()) != FALSE, s.panel_shown);
        EXPECT_EQ(::GetFocus(), control(s.focus));
        // What the pointer meets over a list and over the keys' save button.
        for (int id :
             {editor_ids::kFirstKeyList, editor_ids::kThirdKeyList, editor_ids::kSaveKeysButton}) {
            const HWND under = ::WindowFromPoint(centre_on_screen(control(id)));
            EXPECT_EQ(same_or_inside(under, panel()), s.panel_shown) << id;
            EXPECT_EQ(under == control(id), !s.panel_shown) << id;
        }
    }
}

}  // namespace
}  // namespace vantero::test
