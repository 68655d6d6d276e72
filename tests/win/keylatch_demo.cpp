// Shows KeyLatch controls as the program uses them, for a look at the screen:
// keylatch_demo.exe [seconds]   (ends by itself after that many seconds, 30 by default)
#include <windows.h>

#include <cwchar>
#include <memory>
#include <vector>

#include "common/unique_handle.h"
#include "hotkey/KeyLatch.h"
#include "settings/modINI.h"

namespace {

LRESULT CALLBACK host_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
    using namespace vantero;
    const int seconds = command_line && *command_line ? _wtoi(command_line) : 30;

    // The stored hotkeys the controls load at start-up.
    SetIniPath(L"keylatch_demo.ini");
    ::DeleteFileW(IniPath().c_str());
    WriteINI(L"KeyLatch", L"Demo2Text", L"Ctrl + Alt + A");
    WriteINI(L"KeyLatch", L"Demo2KeyCode", L"65");
    WriteINI(L"KeyLatch", L"Demo2ModKeyCode", L"3");
    WriteINI(L"KeyLatch", L"Demo3Text", L"Win + Shift + F5");
    WriteINI(L"KeyLatch", L"Demo3KeyCode", L"116");
    WriteINI(L"KeyLatch", L"Demo3ModKeyCode", L"12");
    WriteINI(L"KeyLatch", L"Demo4Text", L"Ctrl + Alt + A");
    WriteINI(L"KeyLatch", L"Demo4KeyCode", L"65");
    WriteINI(L"KeyLatch", L"Demo4ModKeyCode", L"3");

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &host_proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"KeyLatchDemo";
    ::RegisterClassExW(&wc);
    unique_window host(::CreateWindowExW(0, L"KeyLatchDemo", L"KeyLatch",
                                         WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 220,
                                         nullptr, nullptr, instance, nullptr));

    KeyLatchLayout main_look;
    main_look.INIFileName = L"keylatch_demo.ini";
    main_look.BackColor = 0x00020A12;
    main_look.ForeColor = 0x000080FF;
    main_look.Font = KeyLatchFont{L"宋体", 9, false};
    main_look.BorderStyle = 0;
    KeyLatchLayout default_look;
    default_look.INIFileName = L"keylatch_demo.ini";

    std::vector<std::unique_ptr<KeyLatch>> controls;
    const KeyLatchLayout* looks[] = {&main_look, &main_look, &main_look, &default_look};
    for (int i = 0; i < 4; ++i) {
        const RECT at{20, 20 + 36 * i, 20 + 145, 20 + 36 * i + 21};
        controls.push_back(std::make_unique<KeyLatch>(host.get(), L"Demo" + std::to_wstring(i + 1),
                                                      at, *looks[i], true));
    }
    ::SetForegroundWindow(host.get());
    ::SetFocus(controls[0]->text_box());

    ::SetTimer(host.get(), 1, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == host.get()) break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    controls.clear();
    ::DeleteFileW(IniPath().c_str());
    return 0;
}
