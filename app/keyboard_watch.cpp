#include "app/keyboard_watch.h"

#include "app/message_loop.h"

namespace vantero {
namespace {

// The watch whose hook runs on this thread: a hook procedure has no argument for it.
thread_local KeyboardWatch* t_watch = nullptr;

// The hook procedure needs little: a small stack keeps the thread from costing megabytes.
constexpr SIZE_T kThreadStack = 256 * 1024;

}  // namespace

void KeyboardWatch::start() {
    if (running_) return;
    stop();  // a thread whose hook was refused has ended; join it before trying again
    own_events_sent_ = 0;
    ready_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!ready_) return;
    thread_.reset(::CreateThread(nullptr, kThreadStack, &KeyboardWatch::thread_main, this,
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, &thread_id_));
    if (thread_) ::WaitForSingleObject(ready_.get(), INFINITE);
}

void KeyboardWatch::stop() {
    if (!thread_) return;
    ::PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    ::WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
    running_ = false;
}

DWORD WINAPI KeyboardWatch::thread_main(void* self) {
    static_cast<KeyboardWatch*>(self)->run();
    return 0;
}

void KeyboardWatch::run() {
    t_watch = this;
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue, before anyone posts to it
    unique_hook hook(::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardWatch::hook_proc,
                                         ::GetModuleHandleW(nullptr), 0));
    running_ = static_cast<bool>(hook);
    // Keys already down when the hook came: their key-downs were never seen. Key events since
    // the hook came wait for this thread's loop, so they apply after this.
    state_.reset(modifiers_down());
    ::SetEvent(ready_.get());
    if (hook) run_message_loop();  // the hook is called from here
}

LRESULT CALLBACK KeyboardWatch::hook_proc(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && t_watch &&
        t_watch->on_key(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam))) {
        return 1;
    }
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

bool KeyboardWatch::on_key(const KBDLLHOOKSTRUCT& event) {
    const WatchDecision decision =
        state_.on_key({static_cast<std::uint8_t>(event.vkCode), (event.flags & LLKHF_UP) != 0,
                       (event.flags & LLKHF_EXTENDED) != 0, event.scanCode, event.dwExtraInfo,
                       static_cast<std::uint32_t>(::GetTickCount())});
    if (decision.post_row >= 0) {
        if (HWND listener = listener_.load())
            ::PostMessageW(listener, listener_message_.load(), decision.post_row, 0);
    }
    return decision.drop;
}

void KeyboardWatch::wait_for_own_events() const {
    // A hook the system dropped sees nothing more: then the wait ends on time.
    const ULONGLONG give_up = ::GetTickCount64() + 50;
    auto behind = [this] {
        return static_cast<std::int32_t>(own_events_sent_.load() - state_.own_events_seen()) > 0;
    };
    while (running_ && behind() && ::GetTickCount64() < give_up) {
        ::Sleep(1);
    }
}

void KeyboardWatch::set_listener(HWND window, UINT message) {
    listener_message_ = message;
    listener_ = window;
}

ModifierSet modifiers_down() {
    ModifierSet down;
    for (std::uint8_t side : ModifierSet::kSides) {
        if (::GetAsyncKeyState(side) & 0x8000) down.add(side);
    }
    return down;
}

}  // namespace vantero
