#pragma once
// Watches the keyboard with a low-level hook on a thread of its own, to know which modifier keys
// the user holds: the key state the system keeps also counts the keys the program types.
//
// It also tells the sender which modifiers the user holds, so that it types a conditional key
// event only when it is due: every hook, whenever installed, then sees each key-down the
// program types followed by its key-up, and none of them is dropped. A lifted modifier put back
// just after the user let go of it (the key-up was on its way) is noted for a masked release.
//
// And while a send is typing, the modifiers the system sees are the target's, not the user's: a
// trigger pressed then would not be recognised as a hotkey but typed into the focused window. So
// between a send's begin and end marks the hook recognises the enabled triggers itself, by the
// modifiers the user holds, keeps their key-downs from the window and posts them to the listener.
//
// What each event means is decided by KeyWatchState (app/key_watch_state.h); this keeps the
// thread, the hook and the listener. The hook procedure only reads and writes a few atomics (and
// may post a message) and returns, so the system never waits on it; the thread sleeps in
// the message loop otherwise.
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "app/key_watch_state.h"
#include "common/key_event_tag.h"
#include "common/keyboard_keys.h"
#include "common/unique_handle.h"

namespace vantero {

class KeyboardWatch {
public:
    KeyboardWatch() = default;
    ~KeyboardWatch() { stop(); }
    KeyboardWatch(const KeyboardWatch&) = delete;
    KeyboardWatch& operator=(const KeyboardWatch&) = delete;

    // Starts the thread and installs the hook; running() tells whether that worked.
    void start();
    void stop();
    bool running() const { return running_; }

    // How many of the program's own key events the hook has seen: a send that finds none of
    // its events seen knows the hook is gone.
    std::uint32_t own_events_seen() const { return state_.own_events_seen(); }
    // The program's own key events as they are typed.
    void note_own_event() { own_events_sent_.fetch_add(1); }
    // Waits, briefly, until the hook has seen every key event the program typed: the system
    // takes its key state from them only after the hook, and the next send starts from it.
    void wait_for_own_events() const;

    // Whether the user holds a modifier key (by side), as far as the hook has seen.
    bool user_holds(std::uint8_t side) const { return state_.user_modifiers().contains(side); }
    // The modifiers the program put back that the user no longer held when the hook saw them,
    // and has not pressed or let go of since; cleared by the call.
    ModifierSet take_put_back_let_go() { return state_.take_put_back_let_go(); }

    // A row's trigger (key 0: none enabled), as RegisterHotKey has it: the key and the modifier
    // mask (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8).
    void set_trigger(int row_index, std::uint8_t vk, int modifier_mask) {
        state_.set_trigger(row_index, vk, modifier_mask);
    }
    // Where a trigger pressed during a send goes: message with the row index in wParam.
    void set_listener(HWND window, UINT message);

private:
    static LRESULT CALLBACK hook_proc(int code, WPARAM wparam, LPARAM lparam);
    static DWORD WINAPI thread_main(void* self);
    bool on_key(const KBDLLHOOKSTRUCT& event);  // true: drop the event
    void run();

    unique_kernel_handle thread_;
    DWORD thread_id_ = 0;
    unique_kernel_handle ready_;  // set once the thread has tried to install its hook
    bool running_ = false;
    KeyWatchState state_;
    std::atomic<std::uint32_t> own_events_sent_{0};
    std::atomic<HWND> listener_{nullptr};
    std::atomic<UINT> listener_message_{0};
};

// The modifier keys down now, as the focused window would read them.
ModifierSet modifiers_down();

}  // namespace vantero
