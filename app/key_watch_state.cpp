#include "app/key_watch_state.h"

#include "common/key_event_tag.h"

namespace vantero {
namespace {

std::uint8_t side_bit(std::uint8_t side) {
    ModifierSet one;
    one.add(side);
    return one.bits();
}

}  // namespace

void KeyWatchState::reset(ModifierSet held) {
    sends_open_ = 0;
    user_modifiers_ = held.bits();
    put_back_let_go_ = 0;
    own_events_seen_ = 0;
}

WatchDecision KeyWatchState::on_key(const WatchedKey& key) {
    const std::uint8_t side = modifier_side(key.vk, key.extended, key.scan_code);
    const ModifierSet user = user_modifiers();

    if (key_event_tag::is_ours(key.tag)) {
        own_events_seen_.fetch_add(1);
        if (key_event_tag::begins_send(key.tag)) {
            ++sends_open_;
            last_begin_ = key.time_ms;
        }
        // Never dropped: a hook installed later has seen the event already.
        switch (key_event_tag::kind_of(key.tag)) {
            case key_event_tag::press_if_held:
                // The user let go after the sender asked: the sender lets go too.
                if (side != 0 && !user.contains(side)) put_back_let_go_.fetch_or(side_bit(side));
                break;
            case key_event_tag::end_send:
                if (sends_open_ > 0) --sends_open_;
                break;
            default:
                break;
        }
        return {};
    }

    // Everything else is the user's: the keyboard, or another program typing for the user.
    if (side != 0) {
        ModifierSet held = user;
        if (key.up) {
            held.remove(side);
        } else {
            held.add(side);
        }
        user_modifiers_ = held.bits();
        // The user's own key event on a side put back: the key is the user's again.
        put_back_let_go_.fetch_and(static_cast<std::uint8_t>(~side_bit(side)));
        return {};
    }
    if (key.up || key.vk == 0 || sends_open_ == 0) return {};
    if (key.time_ms - last_begin_ > kSendExpiryMs) {
        sends_open_ = 0;
        return {};
    }
    // A trigger, by the modifiers the user holds: the send's keys hide it from the system. The
    // keyboard's repeats of a held trigger are triggers too.
    const auto pressed = static_cast<std::uint16_t>(key.vk | hotkey_modifiers(user) << 8);
    for (int row = 0; row < kRowCount; ++row) {
        if (triggers_[row].load() == pressed) return {true, row};
    }
    return {};
}

void KeyWatchState::set_trigger(int row_index, std::uint8_t vk, int modifier_mask) {
    if (row_index < 0 || row_index >= kRowCount) return;
    triggers_[row_index] = static_cast<std::uint16_t>(vk | (modifier_mask & 0xF) << 8);
}

}  // namespace vantero
