#pragma once
// What a row's send types: the target keys pressed in order, held, released in reverse order, so
// that the window sees exactly the target's modifiers at each target key whatever modifiers the
// user holds for the trigger.
#include <cstdint>
#include <vector>

#include "common/keyboard_keys.h"

namespace vantero {

enum class KeyStepKind : std::uint8_t {
    press,
    release,
    // Puts back a modifier lifted for the send, but only if the user still holds it then.
    press_if_held,
    // Lets go of a modifier the send pressed, unless the user has pressed it meanwhile.
    release_if_free,
    // A tap of the mask key, so that lifting Alt or Win opens no menu.
    mask,
};

struct KeyStep {
    KeyStepKind kind;
    std::uint8_t virtual_key;  // 0 for a mask
    bool operator==(const KeyStep&) const = default;
};

struct SendPlan {
    std::vector<KeyStep> before_hold;
    int hold_ms = 0;
    std::vector<KeyStep> after_hold;
};

// Hold times: one key 100 ms, two or three keys 200 ms.
int hold_time_for(std::size_t key_count);

// What to send for the target keys (in pressing order) when the modifier keys in held are down.
// Modifiers held that the target does not use are lifted first and put back afterwards if the
// user still holds them; a target modifier already held is neither pressed nor released, unless
// the target is made only of held modifiers: then those are lifted too and typed as a tap. The
// conditional steps need someone who knows the user's keys when they happen
// (user_keys_known); without that nothing held is lifted, so nothing can be left down or up
// against the user's hands.
SendPlan plan_send(const std::vector<std::uint8_t>& keys, ModifierSet held, bool user_keys_known);

// A key the plan presses and the modifier mask down as it goes down (MOD_ALT 1, MOD_CONTROL 2,
// MOD_SHIFT 4, MOD_WIN 8): what a registered hotkey would take for itself.
struct TypedChord {
    std::uint8_t virtual_key;
    int modifiers;
    bool operator==(const TypedChord&) const = default;
};
std::vector<TypedChord> typed_chords(const SendPlan& plan, ModifierSet held);

}  // namespace vantero
