#include "tests/win/key_latch_fixture.h"

#include <algorithm>
#include <cstdint>
#include <sstream>

#include "common/keyboard_keys.h"
#include "settings/settings_file.h"
#include "tests/win/key_event_log.h"

namespace vantero::test {
namespace {

constexpr wchar_t kIniName[] = L"keylatch_test.ini";

bool input_pending() {
    return (HIWORD(::GetQueueStatus(QS_ALLINPUT)) & (QS_KEY | QS_HOTKEY | QS_POSTMESSAGE)) != 0;
}

void pump_once() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

std::wstring window_text(HWND window) {
    wchar_t buffer[512] = {};
    // Reads the stored text without a message to the busy UI thread.
    const int n = ::InternalGetWindowText(window, buffer, 512);
    return std::wstring(buffer, static_cast<size_t>(n));
}

BOOL CALLBACK collect_window(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

SeenBox read_box(HWND box) {
    SeenBox seen{window_text(box), L"", ::GetWindow(box, GW_OWNER), false};
    std::vector<HWND> children;
    ::EnumChildWindows(box, &collect_window, reinterpret_cast<LPARAM>(&children));
    const HICON hand = ::LoadIconW(nullptr, IDI_HAND);
    for (HWND child : children) {
        if (class_name(child) != L"Static") continue;
        const std::wstring text = window_text(child);
        if (!text.empty()) seen.text = text;
        DWORD_PTR icon = 0;
        if (::SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_BLOCK, 1000, &icon) &&
            reinterpret_cast<HICON>(icon) == hand) {
            seen.stop_icon = true;
        }
    }
    return seen;
}

LRESULT CALLBACK host_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

std::wstring class_name(HWND window) {
    wchar_t buffer[64] = {};
    const int n = ::GetClassNameW(window, buffer, 64);
    return std::wstring(buffer, static_cast<size_t>(n));
}

std::vector<HWND> visible_windows_of(DWORD thread) {
    std::vector<HWND> windows;
    ::EnumThreadWindows(thread, &collect_window, reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [](HWND window) { return !::IsWindowVisible(window); });
    return windows;
}

bool pump_until(const std::function<bool()>& done, int timeout_ms) {
    const double end = now_ms() + timeout_ms;
    while (!done()) {
        if (now_ms() >= end) return false;
        pump_once();
        if (done()) break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void play_keys(const std::string& script) {
    std::istringstream in(script);
    std::string step;
    while (in >> step) {
        const bool up = step.rfind("up:", 0) == 0;
        const auto vk = static_cast<BYTE>(std::stoi(step.substr(3)));
        DWORD flags = up ? KEYEVENTF_KEYUP : 0;
        if (is_extended_key(vk)) flags |= KEYEVENTF_EXTENDEDKEY;  // as a keyboard sends it
        ::keybd_event(vk, static_cast<BYTE>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), flags, 0);
        pump_until([] { return !input_pending(); }, 1000);
        pump_for(5);
    }
}

void release_modifiers() {
    for (BYTE vk : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN}) {
        if (::GetAsyncKeyState(vk) < 0) ::keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
    }
    pump_for(20);
}

std::wstring layout_key_name(int virtual_key) {
    wchar_t buffer[255] = {};
    const UINT scan = ::MapVirtualKeyW(static_cast<UINT>(virtual_key), MAPVK_VK_TO_VSC);
    LONG param = static_cast<LONG>(scan << 16);
    if (is_extended_key(static_cast<std::uint8_t>(virtual_key))) param |= 1 << 24;
    const int n = ::GetKeyNameTextW(param, buffer, 255);
    return std::wstring(buffer, static_cast<size_t>(n > 0 ? n : 0));
}

ModalWatcher::ModalWatcher() : ui_thread_(::GetCurrentThreadId()), thread_([this] { run(); }) {}

ModalWatcher::~ModalWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<SeenBox> ModalWatcher::take() {
    std::lock_guard lock(mutex_);
    return std::exchange(seen_, {});
}

void ModalWatcher::run() {
    while (!stop_) {
        const std::vector<HWND> visible = visible_windows_of(ui_thread_);
        for (HWND window : visible) {
            if (class_name(window) == L"#32768") {
                ++menus_;
                ::keybd_event(VK_ESCAPE, 0, 0, 0);
                ::keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
                ::Sleep(200);  // let the menu close before it is looked for again
            }
        }
        for (HWND box : visible) {
            if (class_name(box) != L"#32770") continue;
            std::lock_guard lock(mutex_);
            if (std::find(closed_.begin(), closed_.end(), box) != closed_.end()) continue;
            seen_.push_back(read_box(box));
            closed_.push_back(box);
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        ::Sleep(20);
    }
}

TestHost& TestHost::shared() {
    static TestHost host;
    return host;
}

TestHost::TestHost() {
    static const ATOM host_class = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &host_proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"KeyLatchTestHost";
        return ::RegisterClassExW(&wc);
    }();
    (void)host_class;
    window_.reset(::CreateWindowExW(0, L"KeyLatchTestHost", L"KeyLatch test",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 420, 360, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr));
    ::SetForegroundWindow(window_.get());
    pump_for(50);
}

std::unique_ptr<KeyLatch> TestHost::add(const std::wstring& name, const KeyLatchLayout& layout,
                                        bool run_mode) {
    const RECT bounds{10, next_top_, 10 + 145, next_top_ + 21};
    next_top_ += 30;
    return std::make_unique<KeyLatch>(window_.get(), name, bounds, layout, run_mode);
}

bool TestHost::focus(HWND window) {
    ::SetForegroundWindow(window_.get());
    ::SetFocus(window);
    return pump_until(
        [&] { return ::GetForegroundWindow() == window_.get() && ::GetFocus() == window; });
}

void KeyLatchTest::SetUp() {
    use_settings_file(kIniName);
    ini_path = settings_file_path();
    ::DeleteFileW(ini_path.c_str());
    watcher = std::make_unique<ModalWatcher>();
    host = &TestHost::shared();
    host->start_test();
}

void KeyLatchTest::TearDown() {
    release_modifiers();
    pump_for(20);
    watcher.reset();
    ::DeleteFileW(ini_path.c_str());
}

KeyLatchLayout KeyLatchTest::layout() const {
    KeyLatchLayout l;
    l.ini_file_name = kIniName;
    return l;
}

}  // namespace vantero::test
