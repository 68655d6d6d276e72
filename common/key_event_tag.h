#pragma once
// What the program's own key events carry in their extra information: a mark, what the event
// is, and whether it is the first of a send. (A send's first event is also its begin mark, so
// that nothing more goes before the target: under Wine each event waits for the hook.) Whoever
// reads a key event's extra information can tell the program's typing from the user's.
#include <cstdint>

namespace vantero::key_event_tag {

inline constexpr std::uintptr_t kMark = 0x5A4E0000;
inline constexpr std::uintptr_t kMarkMask = 0xFFFFFF00;
inline constexpr std::uintptr_t kBeginsSend = 0x10;
enum Kind : std::uintptr_t { plain = 0, press_if_held = 1, release_if_free = 2, end_send = 3 };
constexpr std::uintptr_t make(Kind kind) {
    return kMark | kind;
}
constexpr bool is_ours(std::uintptr_t info) {
    return (info & kMarkMask) == kMark;
}
constexpr bool begins_send(std::uintptr_t info) {
    return (info & kBeginsSend) != 0;
}
constexpr Kind kind_of(std::uintptr_t info) {
    return static_cast<Kind>(info & 0x0F);
}

}  // namespace vantero::key_event_tag
