// Looks at and pokes the running program from outside, for the end-to-end tests.
// Prints UTF-8 lines; exits 0 when it found what it was asked about, 1 when not, 2 on bad usage.
//
//   probe windows            top-level windows of other processes:
//                            hwnd pid visible topmost left,top,right,bottom class title
//                            (tab-separated)
//   probe tree <class>       every window inside the first top-level window of that class:
//                            hwnd visible id left,top,right,bottom class text
//   probe rows               the main window's nine rows, one line each:
//                            k hotkey-text target-text remark-text check (0/1) (tab-separated)
//   probe messagebox [--close]
//                            the text of a visible "error" message box; --close presses its OK
//   probe keystate           every virtual key that the system reports down, space-separated
//   probe tray <lparam>      posts the tray window its icon message, as the shell does
//   probe menu               the screen rectangle of an open popup menu: left top right bottom
//   probe tooltip            the text of a tooltip that is showing
//   probe foreground         class and title of the foreground window
//   probe focus <title>      makes the top-level window with that title the foreground window
#include <windows.h>
#include <commctrl.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 9;
constexpr int kFirstCheckId = 101;

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                          nullptr);
    return out;
}

void print(const std::wstring& line) {
    const std::string bytes = utf8(line) + "\n";
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

std::wstring class_of(HWND window) {
    wchar_t name[256] = L"";
    ::GetClassNameW(window, name, 256);
    return name;
}

// Asks the window for its text, which also works for edit boxes of other processes. The wait is
// generous: without a window manager, Wine holds a program's thread for up to two seconds when it
// hides a framed window (a message box, for one).
std::wstring text_of(HWND window) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(std::min<size_t>(copied, length));
    return text;
}

std::wstring one_line(std::wstring text) {
    std::replace_if(text.begin(), text.end(), [](wchar_t c) { return c == L'\t' || c == L'\r' || c == L'\n'; },
                    L' ');
    return text;
}

DWORD pid_of(HWND window) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::vector<HWND> top_level_windows() {
    std::vector<HWND> found;
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            if (pid_of(window) != ::GetCurrentProcessId()) reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> found;
    ::EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND find_visible(const wchar_t* class_name, const wchar_t* title) {
    for (HWND window : top_level_windows()) {
        if (!::IsWindowVisible(window)) continue;
        if (class_name && class_of(window) != class_name) continue;
        if (title && text_of(window) != title) continue;
        return window;
    }
    return nullptr;
}

int twips(int value) { return value / 15; }

int list_windows() {
    for (HWND window : top_level_windows()) {
        RECT r{};
        ::GetWindowRect(window, &r);
        const bool topmost = (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        wchar_t head[160];
        std::swprintf(head, 160, L"%llx\t%lu\t%d\t%d\t%ld,%ld,%ld,%ld\t",
                      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)), pid_of(window),
                      ::IsWindowVisible(window) ? 1 : 0, topmost ? 1 : 0, r.left, r.top, r.right, r.bottom);
        // Text only through GetWindowTextW: it never waits on a window that does not answer.
        wchar_t title[256] = L"";
        ::GetWindowTextW(window, title, 256);
        print(head + class_of(window) + L"\t" + one_line(title));
    }
    return 0;
}

int list_tree(const wchar_t* class_name) {
    HWND top = nullptr;
    for (HWND window : top_level_windows()) {
        if (class_of(window) == class_name) {
            top = window;
            break;
        }
    }
    if (!top) return 1;
    for (HWND child : descendants(top)) {
        RECT r{};
        ::GetWindowRect(child, &r);
        wchar_t head[160];
        std::swprintf(head, 160, L"%llx\t%d\t%d\t%ld,%ld,%ld,%ld\t",
                      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(child)),
                      ::IsWindowVisible(child) ? 1 : 0, ::GetDlgCtrlID(child), r.left, r.top, r.right, r.bottom);
        print(head + class_of(child) + L"\t" + one_line(text_of(child)));
    }
    return 0;
}

// The main window's row controls, told apart by the column and the row they sit in.
int list_rows() {
    HWND main = ::FindWindowW(L"VanteroMain", L"设置");
    if (!main) return 1;
    struct Row {
        std::wstring hotkey, target, remark;
        int check = -1;
    };
    Row rows[kRows];
    const int hotkey_left = twips(3735), target_left = twips(5835), remark_left = twips(7740);
    static const int kTargetTops[kRows] = {2310, 2925, 3540, 4155, 4740, 5370, 5985, 6585, 7185};

    auto row_at = [&](int top) {
        int best = 0;
        for (int k = 1; k < kRows; ++k) {
            if (std::abs(twips(kTargetTops[k]) - top) < std::abs(twips(kTargetTops[best]) - top)) best = k;
        }
        return best;
    };
    for (HWND child : descendants(main)) {
        RECT r{};
        ::GetWindowRect(child, &r);
        POINT at{r.left, r.top};
        ::ScreenToClient(main, &at);
        const std::wstring kind = class_of(child);
        const int id = ::GetDlgCtrlID(child);
        if (kind == L"Button" || kind == L"BUTTON") {
            if (id >= kFirstCheckId && id < kFirstCheckId + kRows) {
                const LRESULT state = ::SendMessageW(child, BM_GETCHECK, 0, 0);
                rows[id - kFirstCheckId].check = state == BST_CHECKED ? 1 : 0;
            }
        } else if (kind == L"Edit" || kind == L"EDIT") {
            Row& row = rows[row_at(at.y)];
            if (std::abs(at.x - target_left) <= 8) {
                row.target = text_of(child);
            } else if (std::abs(at.x - hotkey_left) <= 8) {
                row.hotkey = text_of(child);
            }
        } else if (kind == L"VanteroRemark" && std::abs(at.x - remark_left) <= 8) {
            rows[row_at(at.y)].remark = text_of(child);
        }
    }
    for (int k = 0; k < kRows; ++k) {
        print(std::to_wstring(k) + L"\t" + one_line(rows[k].hotkey) + L"\t" + one_line(rows[k].target) + L"\t" +
              one_line(rows[k].remark) + L"\t" + std::to_wstring(rows[k].check));
    }
    return 0;
}

int message_box(bool close) {
    HWND box = find_visible(L"#32770", L"error");
    if (!box) return 1;
    std::wstring message;
    for (HWND child : descendants(box)) {
        if (class_of(child) != L"Static") continue;
        const std::wstring text = text_of(child);
        if (text.size() > message.size()) message = text;
    }
    print(one_line(message));
    if (close) ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return 0;
}

int key_state() {
    std::wstring down;
    for (int vk = 1; vk < 256; ++vk) {
        if (::GetAsyncKeyState(vk) & 0x8000) down += (down.empty() ? L"" : L" ") + std::to_wstring(vk);
    }
    print(down);
    return 0;
}

int tray(const wchar_t* lparam_text) {
    HWND tray = ::FindWindowW(L"VanteroTray", L"Form1");
    if (!tray) return 1;
    const LPARAM lparam = static_cast<LPARAM>(std::wcstol(lparam_text, nullptr, 0));
    return ::PostMessageW(tray, WM_MOUSEMOVE, 0, lparam) ? 0 : 1;
}

int menu() {
    HWND popup = find_visible(L"#32768", nullptr);
    if (!popup) return 1;
    RECT r{};
    ::GetWindowRect(popup, &r);
    wchar_t line[80];
    std::swprintf(line, 80, L"%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    print(line);
    return 0;
}

int tooltip() {
    HWND tip = find_visible(TOOLTIPS_CLASSW, nullptr);
    if (!tip) return 1;
    print(one_line(text_of(tip)));
    return 0;
}

int foreground() {
    HWND window = ::GetForegroundWindow();
    if (!window) return 1;
    print(class_of(window) + L"\t" + one_line(text_of(window)));
    return 0;
}

int focus(const wchar_t* title) {
    HWND window = find_visible(nullptr, title);
    if (!window) return 1;
    ::SetForegroundWindow(window);
    return ::GetForegroundWindow() == window ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    int result = 2;
    if (command == L"windows") {
        result = list_windows();
    } else if (command == L"tree" && argc > 2) {
        result = list_tree(argv[2]);
    } else if (command == L"rows") {
        result = list_rows();
    } else if (command == L"messagebox") {
        result = message_box(argc > 2 && std::wstring(argv[2]) == L"--close");
    } else if (command == L"keystate") {
        result = key_state();
    } else if (command == L"tray" && argc > 2) {
        result = tray(argv[2]);
    } else if (command == L"menu") {
        result = menu();
    } else if (command == L"tooltip") {
        result = tooltip();
    } else if (command == L"foreground") {
        result = foreground();
    } else if (command == L"focus" && argc > 2) {
        result = focus(argv[2]);
    } else {
        std::fputs("usage: probe windows|tree <class>|rows|messagebox [--close]|keystate|tray <lparam>|menu|tooltip|foreground|"
                   "focus <title>\n",
                   stderr);
    }
    std::fflush(stdout);
    return result;
}
