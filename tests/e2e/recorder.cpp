// A small window that logs every key message it receives, for the end-to-end tests.
// Usage: recorder.exe <log file> [--hook]
// Each key-down and key-up becomes a line "<ms> dn <vk> <posted>" or "<ms> up <vk> <posted>",
// flushed at once: ms is the performance counter's time when the message arrived, with three
// decimals; posted is the message's own time stamp (GetMessageTime, milliseconds), the moment the
// key event entered the system, which a busy recorder cannot delay.
// With --hook, a low-level keyboard hook also logs every key event of the system, whichever
// window has the focus: "<ms> hook dn|up <vk> <injected>" (injected 1 for synthetic input).
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

void log_key(const char* what, WPARAM vk) {
    if (!g_log) return;
    std::fprintf(g_log, "%.3f %s %u %lu\n", now_ms(), what, static_cast<unsigned>(vk),
                 static_cast<unsigned long>(static_cast<DWORD>(::GetMessageTime())));
    std::fflush(g_log);
    ++g_lines;
}

LRESULT CALLBACK keyboard_hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && g_log) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
        std::fprintf(g_log, "%.3f hook %s %lu %d\n", now_ms(), (event->flags & LLKHF_UP) ? "up" : "dn",
                     static_cast<unsigned long>(event->vkCode), (event->flags & LLKHF_INJECTED) ? 1 : 0);
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
            // Handled here, so Alt never reaches the default procedure and opens no menu mode.
            log_key("dn", wparam);
            ::InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            log_key("up", wparam);
            ::InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_CHAR:
        case WM_SYSCHAR:
        case WM_DEADCHAR:
        case WM_SYSDEADCHAR:
            return 0;
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
            return ::DefWindowProcW(window, message, wparam, lparam);
    }
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
                                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 20, 20, 300, 200, nullptr, nullptr,
                                    instance, nullptr);
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
