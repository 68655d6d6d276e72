#include "app/keyboard_watch.h"

namespace vantero {
namespace {

// The watch whose hook runs on this thread: a hook procedure has no argument for it.
thread_local KeyboardWatch* t_watch = nullptr;

// The hook procedure needs little: a small stack keeps the thread from costing megabytes.
constexpr SIZE_T kThreadStack = 256 * 1024;

// Longer than any send can last: a send open this long has lost its end mark.
constexpr DWORD kSendExpiryMs = 5000;

std::uint8_t side_bit(std::uint8_t side) {
    ModifierSet one;
    one.add(side);
    return one.bits();
}

}  // namespace

void KeyboardWatch::start() {
    if (running_) return;
    stop();  // a thread whose hook was refused has ended; join it before trying again
    sends_open_ = 0;
    put_back_let_go_ = 0;
    own_events_seen_ = 0;
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
    user_modifiers_ = modifiers_down().bits();
    ::SetEvent(ready_.get());
    if (!hook) return;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
}

LRESULT CALLBACK KeyboardWatch::hook_proc(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && t_watch &&
        t_watch->on_key(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam))) {
        return 1;
    }
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

bool KeyboardWatch::on_key(const KBDLLHOOKSTRUCT& event) {
    const auto vk = static_cast<std::uint8_t>(event.vkCode);
    const bool up = (event.flags & LLKHF_UP) != 0;
    const std::uint8_t side =
        modifier_side(vk, (event.flags & LLKHF_EXTENDED) != 0, event.scanCode);
    const ModifierSet user = ModifierSet::from_bits(user_modifiers_.load());

    if (key_event_tag::is_ours(event.dwExtraInfo)) {
        own_events_seen_.fetch_add(1);
        if (key_event_tag::begins_send(event.dwExtraInfo)) {
            ++sends_open_;
            last_begin_ = ::GetTickCount();
        }
        // Never dropped: a hook installed later has seen the event already.
        switch (key_event_tag::kind_of(event.dwExtraInfo)) {
            case key_event_tag::press_if_held:
                // The user let go after the sender asked: the sender lets go too.
                if (side != 0 && !user.contains(side)) put_back_let_go_.fetch_or(side_bit(side));
                return false;
            case key_event_tag::end_send:
                if (sends_open_ > 0) --sends_open_;
                return false;
            default:
                return false;
        }
    }

    // Everything else is the user's: the keyboard, or another program typing for the user.
    if (side != 0) {
        ModifierSet held = user;
        if (up) {
            held.remove(side);
        } else {
            held.add(side);
        }
        user_modifiers_ = held.bits();
        // The user's own key event on a side put back: the key is the user's again.
        put_back_let_go_.fetch_and(static_cast<std::uint8_t>(~side_bit(side)));
        return false;
    }
    if (up || sends_open_ == 0) return false;
    if (::GetTickCount() - last_begin_ > kSendExpiryMs) {
        sends_open_ = 0;
        return false;
    }
    // A trigger, by the modifiers the user holds: the send's keys hide it from the system.
    const auto pressed = static_cast<std::uint16_t>(vk | hotkey_modifiers(user) << 8);
    for (std::size_t row = 0; row < triggers_.size(); ++row) {
        if (vk == 0 || triggers_[row].load() != pressed) continue;
        if (HWND listener = listener_.load())
            ::PostMessageW(listener, listener_message_.load(), row, 0);
        return true;
    }
    return false;
}

void KeyboardWatch::wait_for_own_events() const {
    // A hook the system dropped sees nothing more: then the wait ends on time.
    const ULONGLONG give_up = ::GetTickCount64() + 50;
    auto behind = [this] {
        return static_cast<std::int32_t>(own_events_sent_.load() - own_events_seen_.load()) > 0;
    };
    while (running_ && behind() && ::GetTickCount64() < give_up) {
        ::Sleep(1);
    }
}

void KeyboardWatch::set_trigger(int row_index, std::uint8_t vk, int modifier_mask) {
    if (row_index < 0 || row_index >= kMaxTriggers) return;
    triggers_[row_index] = static_cast<std::uint16_t>(vk | (modifier_mask & 0xF) << 8);
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
