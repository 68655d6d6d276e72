#include "tests/win/win_support.h"

#include <algorithm>
#include <chrono>
#include <sstream>

#include "common/key_event_tag.h"
#include "common/keyboard_keys.h"
#include "common/window_util.h"

namespace vantero::test {
namespace {

// The log whose hook runs on this thread, and the boxes this thread has shown: hook procedures
// take no context argument.
thread_local KeyEventLog* t_key_event_log = nullptr;
thread_local std::vector<std::wstring> t_boxes;

// The modifiers a window reads as held, as the trace shows them.
constexpr std::pair<int, char> kModifierLetters[] = {
    {VK_SHIFT, 's'}, {VK_CONTROL, 'c'}, {VK_MENU, 'a'}, {VK_LWIN, 'w'}};

void append(std::string& list, const std::string& item) {
    list += (list.empty() ? "" : " ") + item;
}

}  // namespace

double now_ms() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

bool pump_until(const std::function<bool()>& done, int timeout_ms) {
    for (const double end = now_ms() + timeout_ms;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done() || now_ms() >= end) return done();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void inject(const std::string& script) {
    std::istringstream in(script);
    for (std::string step; in >> step;) {
        const auto vk = static_cast<BYTE>(std::stoi(step.substr(3)));
        const DWORD flags = (step[0] == 'u' ? KEYEVENTF_KEYUP : 0) |
                            (is_extended_key(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
        const ULONG_PTR tag =
            step.back() == '*' ? key_event_tag::make(key_event_tag::plain) : ULONG_PTR{0};
        ::keybd_event(vk, static_cast<BYTE>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), flags, tag);
    }
}

void play(const std::string& script) {
    inject(script);
    pump_until([] { return (HIWORD(::GetQueueStatus(QS_ALLINPUT)) & QS_KEY) == 0; }, 1000);
    pump_for(10);
}

bool hotkey_taken(UINT vk, UINT modifiers) {
    return !::RegisterHotKey(nullptr, 0xBFFF, modifiers, vk) ||
           !::UnregisterHotKey(nullptr, 0xBFFF);
}

FocusedWindow::FocusedWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VanteroTestFocusedWindow";
    ::RegisterClassW(&wc);
    window_.reset(::CreateWindowW(wc.lpszClassName, L"focused", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  40, 40, 400, 300, nullptr, nullptr, wc.hInstance, nullptr));
    ::SetWindowLongPtrW(hwnd(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    focus();
}

bool give_focus(HWND window, HWND target) {
    target = target ? target : window;
    ::SetForegroundWindow(window);
    ::SetFocus(target);
    return pump_until([&] { return ::GetForegroundWindow() == window && ::GetFocus() == target; });
}

void FocusedWindow::after(int ms, std::function<void()> action) {
    const UINT_PTR id = actions_.empty() ? 1 : actions_.rbegin()->first + 1;
    actions_[id] = std::move(action);
    ::SetTimer(hwnd(), id, static_cast<UINT>(ms), nullptr);
}

std::string FocusedWindow::heard(const std::vector<unsigned>& vks) const {
    std::istringstream in(trace);
    std::string kept;
    for (std::string step; in >> step;) {
        if (step.size() > 3 && step[2] == ':' &&
            std::count(vks.begin(), vks.end(), std::stoul(step.substr(3))))
            append(kept, step);
    }
    return kept;
}

LRESULT CALLBACK FocusedWindow::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<FocusedWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
    if (self && (down || msg == WM_KEYUP || msg == WM_SYSKEYUP)) {
        self->keys.push_back({static_cast<unsigned>(wp), (static_cast<unsigned>(lp) >> 16) & 0xFF,
                              ((lp >> 24) & 1) != 0, !down});
        if (down) self->last_down_ = static_cast<unsigned>(wp);
        if (!down && (wp == VK_MENU || wp == VK_LWIN) && self->last_down_ == wp) ++self->lone_taps;
        std::string step = (down ? "dn:" : "up:") + std::to_string(wp) + (down ? "{" : "");
        for (auto [key, letter] : kModifierLetters)
            if (down && ::GetKeyState(key) < 0) step += letter;
        if (wp != kVkMaskKey) append(self->trace, down ? step + "}" : step);
        if (self->on_key) self->on_key(self->keys.back());
    } else if (self && msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_KEYMENU) {
        append(self->trace, "menu");
        return 0;
    } else if (self && msg == WM_TIMER && self->actions_.count(wp)) {
        ::KillTimer(hwnd, wp);
        const std::function<void()> action = std::move(self->actions_[wp]);
        self->actions_.erase(wp);
        action();
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

std::string keys_left_down(const std::vector<KeyEvent>& events) {
    std::map<unsigned, bool> down;  // by side, for the modifiers
    for (const KeyEvent& k : events) {
        const auto vk = static_cast<std::uint8_t>(k.vk);
        const std::uint8_t side = modifier_side(vk, (k.flags & LLKHF_EXTENDED) != 0, k.scan);
        down[side ? side : vk] = !k.up;
    }
    std::string left;
    for (const auto& [vk, is_down] : down)
        if (is_down) append(left, std::to_string(vk));
    return left;
}

KeyEventLog::KeyEventLog() {
    std::promise<void> hooked;
    thread_ = std::thread([&] { run(hooked); });
    hooked.get_future().wait();
}

void KeyEventLog::run(std::promise<void>& hooked) {
    t_key_event_log = this;
    thread_id_ = ::GetCurrentThreadId();
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue, before anyone posts to it
    const unique_hook hook(::SetWindowsHookExW(
        WH_KEYBOARD_LL,
        [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
            if (code == HC_ACTION) {
                const auto& k = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
                const std::lock_guard lock(t_key_event_log->mutex_);
                t_key_event_log->events_.push_back(
                    {k.vkCode, k.scanCode, k.flags, (k.flags & LLKHF_UP) != 0, now_ms()});
            }
            return ::CallNextHookEx(nullptr, code, wp, lp);
        },
        ::GetModuleHandleW(nullptr), 0));
    hooked.set_value();
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
}

MessageBoxCatcher::MessageBoxCatcher() {
    t_boxes.clear();
    hook_.reset(::SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
            const auto box = reinterpret_cast<HWND>(wp);  // a box's text has the id 0xFFFF
            if (code == HCBT_ACTIVATE && ::GetDlgItem(box, 0xFFFF)) {
                t_boxes.push_back(window_text(box) + L": " +
                                  window_text(::GetDlgItem(box, 0xFFFF)));
                ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
            }
            return ::CallNextHookEx(nullptr, code, wp, lp);
        },
        nullptr, ::GetCurrentThreadId()));
}

std::vector<std::wstring> MessageBoxCatcher::take() {
    return std::exchange(t_boxes, {});
}

}  // namespace vantero::test
