#include "app/keyboard_watch.h"

#include "common/unique_handle.h"

namespace vantero {
namespace {

// The watch whose hook runs on this thread: a hook procedure has no argument for it.
thread_local KeyboardWatch* t_watch = nullptr;

// Longer than any send can last: a suppression this old has lost its end mark.
constexpr DWORD kSuppressionExpiryMs = 5000;

void count_down(std::atomic<std::uint8_t>& count) {
    std::uint8_t n = count.load();
    while (n > 0 && !count.compare_exchange_weak(n, static_cast<std::uint8_t>(n - 1))) {
    }
}

}  // namespace

void KeyboardWatch::start() {
    if (running_) return;
    stop();  // a thread whose hook was refused has ended; join it before trying again
    for (auto& count : suppressed_) count = 0;
    HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!ready) return;
    thread_ = std::thread([this, ready] { run(ready); });
    ::WaitForSingleObject(ready, INFINITE);
    ::CloseHandle(ready);
}

void KeyboardWatch::stop() {
    if (!thread_.joinable()) return;
    ::PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
    running_ = false;
}

void KeyboardWatch::run(HANDLE ready) {
    thread_id_ = ::GetCurrentThreadId();
    t_watch = this;
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue, before anyone posts to it
    unique_hook hook(::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardWatch::hook_proc, ::GetModuleHandleW(nullptr), 0));
    running_ = static_cast<bool>(hook);
    // Keys already down when the hook came: their key-downs were never seen. Key events since
    // the hook came wait for this thread's loop, so they apply after this.
    user_modifiers_ = modifiers_down().bits();
    ::SetEvent(ready);
    if (!hook) return;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
}

LRESULT CALLBACK KeyboardWatch::hook_proc(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && t_watch && t_watch->on_key(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam))) {
        return 1;
    }
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

bool KeyboardWatch::on_key(const KBDLLHOOKSTRUCT& event) {
    const auto vk = static_cast<std::uint8_t>(event.vkCode);
    const bool up = (event.flags & LLKHF_UP) != 0;
    const std::uint8_t side = modifier_side(vk, (event.flags & LLKHF_EXTENDED) != 0, event.scanCode);
    const ModifierSet user = ModifierSet::from_bits(user_modifiers_.load());

    if (key_event_tag::is_ours(event.dwExtraInfo)) {
        own_events_seen_.fetch_add(1);
        switch (key_event_tag::kind_of(event.dwExtraInfo)) {
            case key_event_tag::press_if_held:
                return side != 0 && !user.contains(side);
            case key_event_tag::release_if_free:
                return side != 0 && user.contains(side);
            case key_event_tag::end_of_send:
                count_down(suppressed_[key_event_tag::key_of(event.dwExtraInfo)]);
                return false;
            default:
                return false;
        }
    }

    // Everything else is the user's: the keyboard, or another program typing for the user.
    if (side != 0) {
        ModifierSet next = user;
        if (up) {
            next.remove(side);
        } else {
            next.add(side);
        }
        user_modifiers_ = next.bits();
    }
    return !up && suppressed_[vk].load() > 0 && ::GetTickCount() - suppressed_since_[vk].load() < kSuppressionExpiryMs;
}

ModifierSet KeyboardWatch::user_modifiers() const { return ModifierSet::from_bits(user_modifiers_.load()); }

void KeyboardWatch::suppress_key(std::uint8_t vk) {
    suppressed_since_[vk] = ::GetTickCount();
    suppressed_[vk].fetch_add(1);
}

void KeyboardWatch::end_suppression(std::uint8_t vk) { count_down(suppressed_[vk]); }

ModifierSet modifiers_down() {
    ModifierSet down;
    for (std::uint8_t side : ModifierSet::kSides) {
        if (::GetAsyncKeyState(side) & 0x8000) down.add(side);
    }
    return down;
}

}  // namespace vantero
