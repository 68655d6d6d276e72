// A small window that logs every key message it receives, for the end-to-end tests.
// Usage: recorder.exe <log file> [--hook]
// Each key-down and key-up becomes a line "<ms> dn|up <vk> <posted> <scan> <extended> <mods>",
// flushed at once: ms is the performance counter's time when the message arrived, with three
// decimals; posted is the message's own time stamp (GetMessageTime, milliseconds), the moment the
// key event entered the system, which a busy recorder cannot delay; scan and extended come from
// the message; mods are the modifier keys the window reads as down (GetKeyState) at that message:
// letters s, c, a, w (Shift, Ctrl, Alt, Win) or "-".
// Key messages go on to the default procedure, as in any window; when it would enter menu mode
// (Alt or F10 tapped alone, or Alt with a letter) the line is "<ms> menu <lParam>" and menu mode
// is not entered.
// With --hook, a low-level keyboard hook also logs every key event of the system, whichever
// window has the focus: "<ms> hook dn|up <vk> <injected> <scan> <extended>".
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

FILE* g_log = nullptr;
LARGE_INTEGER g_frequency{};
int g_lines = 0;

double now_ms() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(g_frequency.QuadPart);
}

void log_key(const char* what, WPARAM vk, LPARAM lparam) {
    if (!g_log) return;
    char mods[5] = "";
    int n = 0;
    if (::GetKeyState(VK_SHIFT) < 0) mods[n++] = 's';
    if (::GetKeyState(VK_CONTROL) < 0) mods[n++] = 'c';
    if (::GetKeyState(VK_MENU) < 0) mods[n++] = 'a';
    if (::GetKeyState(VK_LWIN) < 0 || ::GetKeyState(VK_RWIN) < 0) mods[n++] = 'w';
    std::fprintf(g_log, "%.3f %s %u %lu %u %u %s\n", now_ms(), what, static_cast<unsigned>(vk),
                 static_cast<unsigned long>(static_cast<DWORD>(::GetMessageTime())),
                 static_cast<unsigned>((lparam >> 16) & 0xFF),
                 static_cast<unsigned>((lparam >> 24) & 1), n ? mods : "-");
    std::fflush(g_log);
    ++g_lines;
}

LRESULT CALLBACK keyboard_hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && g_log) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
        std::fprintf(
            g_log, "%.3f hook %s %lu %d %lu %d\n", now_ms(),
            (event->flags & LLKHF_UP) ? "up" : "dn", static_cast<unsigned long>(event->vkCode),
            (event->flags & LLKHF_INJECTED) ? 1 : 0, static_cast<unsigned long>(event->scanCode),
            (event->flags & LLKHF_EXTENDED) ? 1 : 0);
        std::fflush(g_log);
    }
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

void paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(window, &ps);
    RECT box;
    ::GetClientRect(window, &box);
    HBRUSH back = ::CreateSolidBrush(RGB(40, 90, 40));
    ::FillRect(dc, &box, back);
    ::DeleteObject(back);
    wchar_t text[64];
    std::swprintf(text, 64, L"recording: %d key messages", g_lines);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::DrawTextW(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::EndPaint(window, &ps);
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            log_key("dn", wparam, lparam);
            ::InvalidateRect(window, nullptr, FALSE);
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            log_key("up", wparam, lparam);
            ::InvalidateRect(window, nullptr, FALSE);
            break;
        case WM_SYSCOMMAND:
            if ((wparam & 0xFFF0) == SC_KEYMENU) {
                if (g_log) {
                    std::fprintf(g_log, "%.3f menu %ld\n", now_ms(), static_cast<long>(lparam));
                    std::fflush(g_log);
                }
                return 0;
            }
            if ((wparam & 0xFFF0) == SC_CLOSE) return 0;  // Alt+F4 typed by a test ends nothing
            break;
        case WM_LBUTTONDOWN:
            ::SetForegroundWindow(window);
            ::SetFocus(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paint(window);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: recorder <log file> [--hook]\n");
        return 2;
    }
    ::QueryPerformanceFrequency(&g_frequency);
    g_log = _wfopen(argv[1], L"w");
    if (!g_log) return 1;

    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = window_proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"VanteroRecorder";
    ::RegisterClassExW(&wc);
    HWND window = ::CreateWindowExW(0, L"VanteroRecorder", L"VanteroRecorder",
                                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 20, 20, 300, 200,
                                    nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    ::SetFocus(window);
    HHOOK hook = nullptr;
    if (argc > 2 && std::wcscmp(argv[2], L"--hook") == 0) {
        hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, keyboard_hook, instance, 0);
        if (!hook) return 1;
    }

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (hook) ::UnhookWindowsHookEx(hook);
    std::fclose(g_log);
    return 0;
}
