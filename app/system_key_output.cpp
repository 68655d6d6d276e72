#include "app/system_key_output.h"

#include <windows.h>

namespace vantero {
namespace {

unsigned scan_code(std::uint8_t vk, HKL layout) {
    if (vk == kVkMaskKey) return 0;
    unsigned scan = ::MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, layout) & 0xFF;
    // Some systems know only the generic modifier keys.
    if (scan == 0 && vk >= kVkLeftShift && vk <= kVkRightAlt) {
        scan = ::MapVirtualKeyExW(kVkShiftKey + (vk - kVkLeftShift) / 2, MAPVK_VK_TO_VSC, layout) &
               0xFF;
        if (vk == kVkRightShift) scan = kRightShiftScanCode;
    }
    return scan;
}

}  // namespace

SystemKeyOutput::SystemKeyOutput(KeyboardWatch* watch)
    // The current keyboard layout: Windows switches every thread's layout together unless the
    // user asks for one per window, and asking another process's thread costs the time of a key.
    : watch_(watch && watch->running() ? watch : nullptr), layout_(::GetKeyboardLayout(0)) {
    scan_codes_.fill(-1);
    if (!watch_) return;
    watch_->wait_for_own_events();  // the last send's keys, put back or let go
    seen_at_start_ = watch_->own_events_seen();
}

SystemKeyOutput::~SystemKeyOutput() {
    if (!watch_ || !began_) return;
    if (put_back_) {
        // A modifier put back just as the user let go of it: let go of it too, masked, so that
        // no key stays down that no one holds.
        watch_->wait_for_own_events();
        const ModifierSet let_go = watch_->take_put_back_let_go();
        if (!let_go.empty()) send({KeyStepKind::mask, 0});
        for (std::uint8_t side : ModifierSet::kSides) {
            if (let_go.contains(side))
                inject(side, true, key_event_tag::make(key_event_tag::plain));
        }
    }
    // A lone key-up of the mask key: it means nothing to any window.
    inject(kVkMaskKey, true, key_event_tag::make(key_event_tag::end_send));
}

std::uint8_t SystemKeyOutput::side_of(std::uint8_t vk) {
    if (scan_codes_[vk] < 0) scan_codes_[vk] = static_cast<std::int16_t>(scan_code(vk, layout_));
    return modifier_side(vk, is_extended_key(vk), static_cast<unsigned>(scan_codes_[vk]));
}

bool SystemKeyOutput::watch_alive() {
    // Conditional steps come after the hold: by then the hook has long seen the send's first event.
    if (!watch_lost_ && watch_->own_events_seen() == seen_at_start_) watch_lost_ = true;
    return !watch_lost_;
}

void SystemKeyOutput::inject(std::uint8_t vk, bool up, ULONG_PTR tag) {
    DWORD flags = up ? KEYEVENTF_KEYUP : 0;
    if (is_extended_key(vk)) flags |= KEYEVENTF_EXTENDEDKEY;
    if (watch_ && !began_) {
        tag |= key_event_tag::kBeginsSend;
        began_ = true;
    }
    if (watch_) watch_->note_own_event();
    if (scan_codes_[vk] < 0) scan_codes_[vk] = static_cast<std::int16_t>(scan_code(vk, layout_));
    ::keybd_event(vk, static_cast<BYTE>(scan_codes_[vk]), flags, tag);
}

void SystemKeyOutput::send(const KeyStep& step) {
    using namespace key_event_tag;
    const ULONG_PTR plain_tag = make(plain);
    switch (step.kind) {
        case KeyStepKind::press:
            inject(step.virtual_key, false, plain_tag);
            break;
        case KeyStepKind::release:
            inject(step.virtual_key, true, plain_tag);
            break;
        // Decided here, by what the hook has seen of the user's keys: every hook sees what is
        // typed, so nothing typed may be taken back later.
        case KeyStepKind::press_if_held:
            // No one to ask: a key put back that the user has let go would stay down.
            if (watch_ && watch_alive() && watch_->user_holds(side_of(step.virtual_key))) {
                inject(step.virtual_key, false, make(press_if_held));
                put_back_ = true;
            }
            break;
        case KeyStepKind::release_if_free:
            if (!watch_ || !watch_alive()) {
                inject(step.virtual_key, true, plain_tag);
            } else if (!watch_->user_holds(side_of(step.virtual_key))) {
                inject(step.virtual_key, true, make(release_if_free));
            }
            break;
        case KeyStepKind::mask:
            inject(kVkMaskKey, false, plain_tag);
            inject(kVkMaskKey, true, plain_tag);
            break;
    }
}

}  // namespace vantero
