#include "app/sender.h"

namespace vantero {

int hold_time_for(std::size_t key_count) {
    return key_count <= 1 ? 100 : 200;
}

SendPlan plan_send(const std::vector<std::uint8_t>& keys, ModifierSet held, bool user_keys_known) {
    SendPlan plan;
    if (keys.empty()) return plan;

    // A target made only of modifiers the user holds would type nothing: it is typed as a tap of
    // its keys, the user's own lifted first like any other.
    bool only_held_modifiers = true;
    for (std::uint8_t key : keys) {
        const auto group = modifier_group(key);
        only_held_modifiers = only_held_modifiers && group && held.any_in(*group);
    }
    ModifierSet lifted;
    if (user_keys_known) {
        for (std::uint8_t side : ModifierSet::kSides) {
            if (!held.contains(side)) continue;
            const ModifierGroup group = *modifier_group(side);
            bool in_target = false;
            for (std::uint8_t key : keys) in_target = in_target || modifier_group(key) == group;
            if (!in_target || only_held_modifiers) lifted.add(side);
        }
    }

    // A mask while the modifiers are still down: neither Alt nor Win then counts as tapped
    // alone, and no modifier pair (Alt+Shift, Ctrl+Shift) switches the input language.
    if (!lifted.empty()) plan.before_hold.push_back({KeyStepKind::mask, 0});
    for (std::uint8_t side : ModifierSet::kSides) {
        if (lifted.contains(side)) plan.before_hold.push_back({KeyStepKind::release, side});
    }

    std::vector<std::uint8_t> pressed;
    for (std::uint8_t key : keys) {
        const auto group = modifier_group(key);
        // The user's own key already gives it, unless lifted.
        if (group && held.any_in(*group) && !lifted.any_in(*group)) continue;
        plan.before_hold.push_back({KeyStepKind::press, key});
        pressed.push_back(key);
    }

    plan.hold_ms = hold_time_for(keys.size());

    for (auto it = pressed.rbegin(); it != pressed.rend(); ++it) {
        // A modifier the user may press meanwhile stays for the user; one lifted from the user
        // is let go, and put back below if still held.
        const auto group = modifier_group(*it);
        const bool conditional = group && user_keys_known && !lifted.any_in(*group);
        plan.after_hold.push_back(
            {conditional ? KeyStepKind::release_if_free : KeyStepKind::release, *it});
    }
    for (std::uint8_t side : ModifierSet::kSides) {
        if (lifted.contains(side)) plan.after_hold.push_back({KeyStepKind::press_if_held, side});
    }
    // The user lets go of a modifier put back here later: that release must not be a lone tap.
    if (!lifted.empty()) plan.after_hold.push_back({KeyStepKind::mask, 0});
    return plan;
}

std::vector<TypedChord> typed_chords(const SendPlan& plan, ModifierSet held) {
    std::vector<TypedChord> chords;
    ModifierSet down = held;
    for (const KeyStep& step : plan.before_hold) {
        if (step.kind == KeyStepKind::mask) continue;
        // A generic modifier key goes down as the left one.
        const std::uint8_t side = modifier_side(step.virtual_key, false, 0);
        if (step.kind == KeyStepKind::release) {
            down.remove(side);
            continue;
        }
        chords.push_back({step.virtual_key, hotkey_modifiers(down)});
        if (side != 0) down.add(side);
    }
    return chords;
}

}  // namespace vantero
