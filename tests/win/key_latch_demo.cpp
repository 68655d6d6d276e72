// Shows KeyLatch controls as the program uses them, for a look at the screen:
// key_latch_demo.exe [seconds]   (ends by itself after that many seconds, 30 by default)
#include <windows.h>

#include <cwchar>
#include <memory>
#include <vector>

#include "common/unique_handle.h"
#include "hotkey/key_latch.h"
#include "settings/settings_file.h"

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
    use_settings_file(L"key_latch_demo.ini");
    ::DeleteFileW(settings_file_path().c_str());
    write_setting(L"KeyLatch", L"Demo2Text", L"Ctrl + Alt + A");
    write_setting(L"KeyLatch", L"Demo2KeyCode", L"65");
    write_setting(L"KeyLatch", L"Demo2ModKeyCode", L"3");
    write_setting(L"KeyLatch", L"Demo3Text", L"Win + Shift + F5");
    write_setting(L"KeyLatch", L"Demo3KeyCode", L"116");
    write_setting(L"KeyLatch", L"Demo3ModKeyCode", L"12");
    write_setting(L"KeyLatch", L"Demo4Text", L"Ctrl + Alt + A");
    write_setting(L"KeyLatch", L"Demo4KeyCode", L"65");
    write_setting(L"KeyLatch", L"Demo4ModKeyCode", L"3");

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
    main_look.ini_file_name = L"key_latch_demo.ini";
    main_look.back_color = 0x00020A12;
    main_look.fore_color = 0x000080FF;
    main_look.font = KeyLatchFont{L"宋体", 9, false};
    main_look.border_style = 0;
    KeyLatchLayout default_look;
    default_look.ini_file_name = L"key_latch_demo.ini";

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
    ::DeleteFileW(settings_file_path().c_str());
    return 0;
}
