#include "tests/win/key_event_log.h"

#include <atomic>

namespace vantero::test {
namespace {
std::atomic<KeyEventLog*> g_active{nullptr};  // the hook procedure has no context argument
}

double now_ms() {
    LARGE_INTEGER f, c;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

void pump_for(int ms) {
    const double end = now_ms() + ms;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        const double left = end - now_ms();
        if (left <= 0) break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
    }
}

KeyEventLog::KeyEventLog() {
    ready_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    g_active = this;
    thread_ = std::thread([this] { run(); });
    ::WaitForSingleObject(ready_, 5000);
}

KeyEventLog::~KeyEventLog() {
    ::PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
    g_active = nullptr;
    ::CloseHandle(ready_);
}

void KeyEventLog::run() {
    thread_id_ = ::GetCurrentThreadId();
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // create the queue before anyone posts
    HHOOK hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, hook_proc, ::GetModuleHandleW(nullptr), 0);
    ::SetEvent(ready_);
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::UnhookWindowsHookEx(hook);
}

LRESULT CALLBACK KeyEventLog::hook_proc(int code, WPARAM wparam, LPARAM lparam) {
    KeyEventLog* self = g_active;
    if (code == HC_ACTION && self) {
        const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
        const bool up = wparam == WM_KEYUP || wparam == WM_SYSKEYUP;
        std::lock_guard lock(self->mutex_);
        self->events_.push_back({k->vkCode, k->scanCode, k->flags, up, now_ms()});
    }
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

std::vector<KeyEvent> KeyEventLog::events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

void KeyEventLog::clear() {
    std::lock_guard lock(mutex_);
    events_.clear();
}

std::string KeyEventLog::trace() const {
    std::string out;
    for (const KeyEvent& e : events()) {
        if (!out.empty()) out += ' ';
        out += (e.up ? "up:" : "dn:") + std::to_string(e.vk);
    }
    return out;
}

bool KeyEventLog::wait_for(size_t n, int timeout_ms) const {
    const double end = now_ms() + timeout_ms;
    while (now_ms() < end) {
        if (events().size() >= n) return true;
        pump_for(10);
    }
    return events().size() >= n;
}

}  // namespace vantero::test
