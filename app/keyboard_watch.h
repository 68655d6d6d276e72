#pragma once
// Watches the keyboard with a low-level hook on a thread of its own, to know which modifier keys
// the user holds: the key state the system keeps also counts the keys the program types.
//
// It also decides the program's conditional key events where they are decided exactly, in the
// order of the input stream: a lifted modifier is put back only if the user still holds it, a
// modifier the program pressed is let go only if the user does not hold it. And while a send is
// typing, it keeps the trigger's own key from repeating into the focused window: the modifiers
// that made it a hotkey are lifted then.
//
// The hook procedure only reads and writes a few atomics and returns, so the system never waits
// on it; the thread sleeps in GetMessage otherwise.
#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <thread>

#include "app/keyboard_keys.h"
#include "app/sender.h"

namespace vantero {

// What the program's own key events carry in their extra information: a mark, what the event
// is, and for the end of a send the trigger key it covered.
namespace key_event_tag {
inline constexpr ULONG_PTR kMark = 0x5A4E0000;
inline constexpr ULONG_PTR kMarkMask = 0xFFFF0000;
enum Kind : ULONG_PTR { plain = 0, press_if_held = 1, release_if_free = 2, end_of_send = 3 };
constexpr ULONG_PTR make(Kind kind, std::uint8_t vk = 0) { return kMark | (kind << 8) | vk; }
constexpr bool is_ours(ULONG_PTR info) { return (info & kMarkMask) == kMark; }
constexpr Kind kind_of(ULONG_PTR info) { return static_cast<Kind>((info >> 8) & 0xFF); }
constexpr std::uint8_t key_of(ULONG_PTR info) { return static_cast<std::uint8_t>(info & 0xFF); }
}  // namespace key_event_tag

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

    // The modifier keys the user holds, as far as the hook has seen.
    ModifierSet user_modifiers() const;
    // How many of the program's own key events the hook has seen: a send that finds none of
    // its events seen knows the hook is gone.
    std::uint32_t own_events_seen() const { return own_events_seen_.load(); }

    // From now until the send's end mark passes the hook, the user's key-downs of this key are
    // dropped. A send that typed nothing ends it with end_suppression().
    void suppress_key(std::uint8_t vk);
    void end_suppression(std::uint8_t vk);

private:
    static LRESULT CALLBACK hook_proc(int code, WPARAM wparam, LPARAM lparam);
    bool on_key(const KBDLLHOOKSTRUCT& event);  // true: drop the event
    void run(HANDLE ready);

    std::thread thread_;
    DWORD thread_id_ = 0;
    bool running_ = false;
    std::atomic<std::uint8_t> user_modifiers_{0};  // bits in ModifierSet::kSides order
    std::atomic<std::uint32_t> own_events_seen_{0};
    // Per key: how many sends suppress it, and since when (a lost end mark must not keep a key
    // dead: a suppression older than any send expires).
    std::array<std::atomic<std::uint8_t>, 256> suppressed_{};
    std::array<std::atomic<std::uint32_t>, 256> suppressed_since_{};
};

// The modifier keys down now, as the focused window would read them.
ModifierSet modifiers_down();

}  // namespace vantero
