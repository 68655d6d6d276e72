#pragma once
// What the keyboard hook decides about each key event, kept apart from the hook itself: which
// events are the program's own, which modifiers the user holds, whether a send is typing (between
// its begin and end marks), which trigger the user pressed meanwhile, and which modifiers the
// program put back after the user had let go of them.
//
// on_key runs on the hook's thread only; the other members may be read from any thread.
#include <array>
#include <atomic>
#include <cstdint>

#include "common/keyboard_keys.h"
#include "common/rows.h"

namespace vantero {

// A key event as a low-level keyboard hook sees it.
struct WatchedKey {
    std::uint8_t vk = 0;
    bool up = false;
    bool extended = false;
    unsigned scan_code = 0;
    std::uintptr_t tag = 0;     // the event's extra information (common/key_event_tag.h)
    std::uint32_t time_ms = 0;  // a millisecond tick count, which may wrap
};

struct WatchDecision {
    bool drop = false;  // no window and no later hook sees the event
    int post_row = -1;  // the row whose trigger was pressed during a send; -1: none
};

class KeyWatchState {
public:
    // Longer than any send can last: a send open this long has lost its end mark.
    static constexpr std::uint32_t kSendExpiryMs = 5000;

    // A new hook: no send open, nothing seen, and the modifiers held before it came.
    void reset(ModifierSet held);
    WatchDecision on_key(const WatchedKey& key);

    std::uint32_t own_events_seen() const { return own_events_seen_.load(); }
    ModifierSet user_modifiers() const { return ModifierSet::from_bits(user_modifiers_.load()); }
    // The modifiers put back that the user no longer held when the hook saw them, and has not
    // pressed or let go of since; cleared by the call.
    ModifierSet take_put_back_let_go() {
        return ModifierSet::from_bits(put_back_let_go_.exchange(0));
    }
    // A row's trigger as RegisterHotKey has it (key 0: none); rows outside the table are ignored.
    void set_trigger(int row_index, std::uint8_t vk, int modifier_mask);

private:
    std::atomic<std::uint8_t> user_modifiers_{0};  // bits in ModifierSet::kSides order
    std::atomic<std::uint8_t> put_back_let_go_{0};
    std::atomic<std::uint32_t> own_events_seen_{0};
    std::array<std::atomic<std::uint16_t>, kRowCount> triggers_{};  // vk | modifier mask << 8
    // The hook's thread alone: sends whose begin mark has passed but not their end mark, and
    // when the last one began.
    int sends_open_ = 0;
    std::uint32_t last_begin_ = 0;
};

}  // namespace vantero
