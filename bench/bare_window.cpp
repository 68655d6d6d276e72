// The floor the real program is measured against: one window of the main window's size and style
// with nothing in it, and a message loop. It ends when the window is closed.
#include <windows.h>

namespace {

// The benchmarks find it by this class, as they find the real program by its main window's.
constexpr const wchar_t* kClass = L"VanteroBareWindow";
constexpr int kWidth = 814, kHeight = 591;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, w, l);  // WM_CLOSE: DestroyWindow
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = kClass;
    if (!::RegisterClassW(&window_class)) return 1;
    HWND window = ::CreateWindowExW(WS_EX_APPWINDOW, kClass, L"bare", WS_POPUP, 0, 0, kWidth,
                                    kHeight, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ::ShowWindow(window, SW_SHOW);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
