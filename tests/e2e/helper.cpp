// The end-to-end tests' eyes inside Wine. Prints UTF-8 lines; exits 0 when it found what it was
// asked about, 1 when not, 2 on bad usage.
//
//   record <log>  the window "VanteroRecorder", which takes the focus and logs each key message it
//                 receives: "<ms> dn|up <vk> <message time> <scan> <extended> <mods>", mods the
//                 Shift/Ctrl/Alt/Win keys it reads as down ("scaw" or "-"), "<ms> menu <lParam>"
//                 where its default procedure would enter menu mode (which it then does not), and
//                 "<ms> focus 1|0" as it gains or loses the keyboard focus
//   windows [<class>]  top-level windows of other processes, or the windows inside the first
//                 top-level window of that class: visible l,t,r,b class title (a tooltip's: the
//                 text it shows), or for those inside: visible l,t,r,b class checked text
//   keystate      the virtual keys the system reports down
//   hook <log>    a low-level keyboard hook installed now, after the program's: logs each key
//                 event it sees, "dn|up <vk>"
//   run <exe>     runs the program to its end; prints its exit code, then the class of every
//                 window that any program created meanwhile (a tray icon is one in the shell's)
#include <windows.h>
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

void print(const std::wstring& line) {
    char bytes[4096];
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, (line + L"\n").c_str(), -1, bytes,
                                           sizeof(bytes), nullptr, nullptr);
    std::fputs(size ? bytes : "\n", stdout);
}

std::wstring class_of(HWND window) {
    wchar_t name[256] = L"";
    ::GetClassNameW(window, name, 256);
    return name;
}

// Also for edit boxes of other processes; generous, as Wine may hold a thread while it hides a
// framed window without a window manager.
std::wstring text_of(HWND window) {
    wchar_t text[512] = L"";
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                          5000, &copied);
    std::wstring line(text);
    std::replace_if(
        line.begin(), line.end(), [](wchar_t c) { return c < L' '; }, L' ');
    return line;
}

std::wstring rect_of(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
           std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom);
}

std::vector<HWND> windows_of(HWND parent) {
    std::vector<HWND> found;
    auto add = [](HWND window, LPARAM list) -> BOOL {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        if (pid != ::GetCurrentProcessId())
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    };
    if (parent)
        ::EnumChildWindows(parent, add, reinterpret_cast<LPARAM>(&found));
    else
        ::EnumWindows(add, reinterpret_cast<LPARAM>(&found));
    return found;
}

FILE* g_log = nullptr;  // the recorder's log: its window procedure has no other way to it

double now_ms() {
    LARGE_INTEGER frequency, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

LRESULT CALLBACK recorder_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    if (down || message == WM_KEYUP || message == WM_SYSKEYUP) {
        std::string mods;
        for (auto [vk, letter] : {std::pair{VK_SHIFT, 's'}, {VK_CONTROL, 'c'}, {VK_MENU, 'a'}})
            if (::GetKeyState(vk) < 0) mods += letter;
        if (::GetKeyState(VK_LWIN) < 0 || ::GetKeyState(VK_RWIN) < 0) mods += 'w';
        std::fprintf(g_log, "%.3f %s %u %lu %u %u %s\n", now_ms(), down ? "dn" : "up",
                     static_cast<unsigned>(wparam), static_cast<unsigned long>(::GetMessageTime()),
                     static_cast<unsigned>((lparam >> 16) & 0xFF),
                     static_cast<unsigned>((lparam >> 24) & 1), mods.empty() ? "-" : mods.c_str());
    } else if (message == WM_SYSCOMMAND && (wparam & 0xFFF0) == SC_KEYMENU) {
        std::fprintf(g_log, "%.3f menu %ld\n", now_ms(), static_cast<long>(lparam));
        return 0;
    } else if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        std::fprintf(g_log, "%.3f focus %d\n", now_ms(), message == WM_SETFOCUS ? 1 : 0);
    } else if (message == WM_LBUTTONDOWN) {
        ::SetForegroundWindow(window);
        ::SetFocus(window);
    } else if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
    }
    std::fflush(g_log);
    return ::DefWindowProcW(window, message, wparam, lparam);
}

int record(const wchar_t* log_path) {
    g_log = _wfopen(log_path, L"w");
    if (!g_log) return 1;
    WNDCLASSW wc{};
    wc.lpfnWndProc = recorder_proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = ::CreateSolidBrush(RGB(40, 90, 40));
    wc.lpszClassName = L"VanteroRecorder";
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowW(wc.lpszClassName, wc.lpszClassName,
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 20, 20, 300,
                                  200, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetForegroundWindow(window);
    ::SetFocus(window);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    std::fclose(g_log);
    return 0;
}

int list_windows(const wchar_t* parent_class) {
    const HWND parent = parent_class ? ::FindWindowW(parent_class, nullptr) : nullptr;
    if (parent_class && !parent) return 1;
    for (HWND window : windows_of(parent)) {
        std::wstring line = std::to_wstring(::IsWindowVisible(window) ? 1 : 0) + L"\t" +
                            rect_of(window) + L"\t" + class_of(window) + L"\t";
        if (parent) {
            const bool checked = ::SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
            line += std::to_wstring(checked) + L"\t" + text_of(window);
        } else if (class_of(window) == TOOLTIPS_CLASSW && ::IsWindowVisible(window)) {
            line += text_of(window);  // what it shows is no title
        } else {
            // GetWindowTextW never waits on a window that does not answer.
            wchar_t title[256] = L"";
            ::GetWindowTextW(window, title, 256);
            line += title;
        }
        print(line);
    }
    return 0;
}

LRESULT CALLBACK hook_proc(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
        std::fprintf(g_log, "%s %lu\n", event->flags & LLKHF_UP ? "up" : "dn", event->vkCode);
        std::fflush(g_log);
    }
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

int log_hooked_keys(const wchar_t* log_path) {
    g_log = _wfopen(log_path, L"w");
    HHOOK hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, hook_proc, ::GetModuleHandleW(nullptr), 0);
    if (!g_log || !hook) return 1;
    for (MSG msg; ::GetMessageW(&msg, nullptr, 0, 0) > 0;) ::DispatchMessageW(&msg);
    return 0;
}

std::vector<std::wstring> g_created;  // by the window-creation event hook, on this thread

void CALLBACK note_created(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_WINDOW && window) g_created.push_back(class_of(window));
}

// Wine hands each creation to this thread while the creating program waits for it, so even a
// window that lives a moment is seen with its class.
int run_watching_windows(const wchar_t* exe) {
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr,
                                                 note_created, 0, 0, WINEVENT_OUTOFCONTEXT);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring command_line = L"\"" + std::wstring(exe) + L"\"";
    if (!hook || !::CreateProcessW(exe, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process))
        return 1;
    for (;;) {
        const DWORD woken =
            ::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 60000, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        if (woken == WAIT_OBJECT_0) break;
        if (woken == WAIT_TIMEOUT) return 1;
    }
    DWORD exit_code = 0;
    ::GetExitCodeProcess(process.hProcess, &exit_code);
    ::UnhookWinEvent(hook);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    print(std::to_wstring(exit_code));
    for (const std::wstring& created : g_created) print(created);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"record" && argc > 2) return record(argv[2]);
    if (command == L"windows") return list_windows(argc > 2 ? argv[2] : nullptr);
    if (command == L"keystate") {
        std::wstring down;
        for (int vk = 1; vk < 256; ++vk)
            if (::GetAsyncKeyState(vk) & 0x8000) down += std::to_wstring(vk) + L" ";
        print(down);
        return 0;
    }
    if (command == L"hook" && argc > 2) return log_hooked_keys(argv[2]);
    if (command == L"run" && argc > 2) return run_watching_windows(argv[2]);
    std::fputs("usage: helper record <log>|windows [<class>]|keystate|hook <log>|run <exe>\n",
               stderr);
    return 2;
}
