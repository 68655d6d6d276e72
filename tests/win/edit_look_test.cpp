// The editor window as the user meets it: its lists, its place and style, its two modes and the
// colours that really reach the screen.
#include <cstdlib>

#include "common/text_win.h"
#include "common/unique_handle.h"
#include "editor/keyfunc.h"
#include "tests/win/edit_fixture.h"

namespace vantero::test {
namespace {

RECT client_rect_of(HWND child, HWND relative_to) {
    RECT box;
    ::GetWindowRect(child, &box);
    ::MapWindowPoints(nullptr, relative_to, reinterpret_cast<POINT*>(&box), 2);
    return box;
}

POINT screen_point(HWND window, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(window, &p);
    return p;
}

POINT centre_on_screen(HWND control) {
    RECT box;
    ::GetWindowRect(control, &box);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

bool same_or_inside(HWND found, HWND ancestor) {
    return found == ancestor || ::IsChild(ancestor, found);
}

COLORREF screen_pixel(POINT at) {
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, at.x, at.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

// Pixels of a client rectangle close to a colour: text drawn in it shows up here.
int pixels_near(HWND window, RECT box, COLORREF colour) {
    int count = 0;
    HDC screen = ::GetDC(nullptr);
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const POINT p = screen_point(window, x, y);
            const COLORREF c = ::GetPixel(screen, p.x, p.y);
            if (std::abs(GetRValue(c) - GetRValue(colour)) < 40 &&
                std::abs(GetGValue(c) - GetGValue(colour)) < 40 &&
                std::abs(GetBValue(c) - GetBValue(colour)) < 40) {
                ++count;
            }
        }
    }
    ::ReleaseDC(nullptr, screen);
    return count;
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
    editor().Load();
    ASSERT_TRUE(editor().IsLoaded());
    EXPECT_FALSE(::IsWindowVisible(editor().hwnd()));
    const struct {
        int id;
        const std::vector<std::string>& names;
    } lists[] = {{edit_ids::kLovea, first_selector_names()},
                 {edit_ids::kLovek, other_selector_names()},
                 {edit_ids::kLovem, other_selector_names()}};
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
    editor().Load();
    EXPECT_EQ(editor().hwnd(), first) << "loading again keeps the window";
}

struct Probe {
    edit* editor;
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
        editor().Load();
        EXPECT_EQ(probe.runs, 1) << "ran during the load";
        EXPECT_EQ(editor().IsLoaded(), !close);
        EXPECT_EQ(host_.calls,
                  close ? std::vector<std::wstring>{L"main"} : std::vector<std::wstring>{});
    }
    // Loaded again afterwards, the lists are whole.
    editor().OpenKeys(0);
    EXPECT_EQ(entries(control(edit_ids::kLovea)).size(), 63u);
    EXPECT_EQ(entries(control(edit_ids::kLovem)).size(), 63u);
}

TEST_F(EditWindowTest, ABorderlessSeeThroughWindowInTheMiddleOfTheScreen) {
    editor().OpenKeys(0);
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

// The closed lists take the layout's height whatever frame the system adds; the panel's
// controls sit relative to the panel.
TEST_F(EditWindowTest, ListsAndPanelControlsSitWhereTheLayoutPutsThem) {
    editor().OpenRemark(0);
    HWND window = editor().hwnd();
    const struct {
        int id;
        RECT box;  // left, top, right, bottom in the window's client area
    } cases[] = {
        {edit_ids::kLovea, {49, 105, 170, 130}},
        {edit_ids::kLovek, {198, 106, 319, 131}},
        {edit_ids::kLovem, {348, 106, 485, 131}},
        {edit_ids::kLabel4, {159, 156, 353, 188}},  // 115, 88 on the panel at 44, 68
    };
    for (const auto& c : cases) {
        const RECT box = client_rect_of(control(c.id), window);
        EXPECT_TRUE(::EqualRect(&box, &c.box))
            << c.id << ": " << box.left << "," << box.top << " " << box.right << "," << box.bottom;
    }
    // The remark box fills 120, 46, 187 x 27 on the panel; its one line sits in the middle.
    const RECT text = client_rect_of(control(edit_ids::kText1), window);
    EXPECT_EQ(text.left, 164);
    EXPECT_EQ(text.right, 351);
    EXPECT_LE(std::abs((text.top - 114) - (141 - text.bottom)), 1);
}

TEST_F(EditWindowTest, KeysModeShowsTheListsRemarkModeCoversThem) {
    struct Step {
        bool remark_mode;
        bool panel_shown;
        int focus;
    };
    const Step steps[] = {{false, false, edit_ids::kLovea},
                          {true, true, edit_ids::kText1},
                          {false, false, edit_ids::kLovea}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.remark_mode ? "remark mode" : "keys mode");
        if (s.remark_mode) {
            editor().OpenRemark(6);
        } else {
            editor().OpenKeys(6);
        }
        pump_for(50);
        EXPECT_TRUE(::IsWindowVisible(editor().hwnd()));
        EXPECT_EQ(::IsWindowVisible(panel()) != FALSE, s.panel_shown);
        EXPECT_EQ(::GetFocus(), control(s.focus));
        // What the pointer meets over a list and over the keys' save button.
        for (int id : {edit_ids::kLovea, edit_ids::kLovem, edit_ids::kLabel1}) {
            const HWND under = ::WindowFromPoint(centre_on_screen(control(id)));
            EXPECT_EQ(same_or_inside(under, panel()), s.panel_shown) << id;
            EXPECT_EQ(under == control(id), !s.panel_shown) << id;
        }
    }
}

TEST_F(EditWindowTest, RowsOutsideOneToNineOpenNothing) {
    for (int row : {-1, 9, 100}) {
        editor().OpenKeys(row);
        editor().OpenRemark(row);
        EXPECT_FALSE(editor().IsLoaded()) << row;
    }
}

TEST_F(EditWindowTest, ColoursReachTheScreen) {
    const COLORREF behind = RGB(20, 200, 40);
    const Backdrop screen(behind);
    editor().OpenKeys(0);
    HWND window = editor().hwnd();
    pump_for(300);

    struct Spot {
        const char* what;
        POINT at;  // client coordinates of the editor
        COLORREF colour;
    };
    const Spot spots[] = {
        {"see-through corner", {2, 2}, behind},
        {"see-through strip on the right", {546, 150}, behind},
        {"second list", {198 + 90, 106 + 12}, RGB(18, 10, 2)},
        {"third list", {348 + 100, 106 + 12}, RGB(0, 0, 0)},
        {"keys' save button", {54 + 8, 199 + 4}, RGB(64, 64, 64)},
        {"divider", {59 + 200, 131}, RGB(0, 0, 0)},
    };
    for (const Spot& s : spots) {
        EXPECT_EQ(screen_pixel(screen_point(window, s.at.x, s.at.y)), s.colour) << s.what;
    }
    // Texts: orange title and hint, white "添加".
    EXPECT_GT(pixels_near(window, {252, 12, 287, 35}, RGB(255, 128, 0)), 10) << "title";
    EXPECT_GT(pixels_near(window, {49, 74, 480, 90}, RGB(255, 128, 0)), 50) << "what may be set";
    EXPECT_GT(pixels_near(window, {54, 199, 463, 236}, RGB(255, 255, 255)), 50) << "save button";

    editor().OpenRemark(0);
    pump_for(300);
    const Spot remark_spots[] = {
        {"remark panel", {44 + 10, 68 + 10}, RGB(29, 21, 13)},
        {"hint background", {44 + 129, 68 + 18}, RGB(0, 0, 0)},
        {"remark box", {44 + 305, 68 + 47}, RGB(192, 64, 0)},
        {"remark save button", {44 + 117, 68 + 90}, RGB(64, 64, 64)},
    };
    for (const Spot& s : remark_spots) {
        EXPECT_EQ(screen_pixel(screen_point(window, s.at.x, s.at.y)), s.colour) << s.what;
    }
    EXPECT_GT(pixels_near(window, {44 + 128, 68 + 17, 44 + 304, 68 + 41}, RGB(0, 192, 0)), 30)
        << "hint";
}

}  // namespace
}  // namespace vantero::test
