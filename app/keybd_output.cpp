#include "app/keybd_output.h"

#include <windows.h>

#include "app/clsWaitableTimer.h"

namespace vantero {
namespace {

// The keyboard layout of the window the keys go to; scan codes depend on it.
HKL focused_layout() {
    HWND foreground = ::GetForegroundWindow();
    const DWORD thread = foreground ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
    return ::GetKeyboardLayout(thread);
}

unsigned scan_code(std::uint8_t vk, HKL layout) {
    if (vk == kVkMaskKey) return 0;
    unsigned scan = ::MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, layout) & 0xFF;
    // Some systems know only the generic modifier keys.
    if (scan == 0 && vk >= kVkLeftShift && vk <= kVkRightAlt) {
        scan = ::MapVirtualKeyExW(kVkShiftKey + (vk - kVkLeftShift) / 2, MAPVK_VK_TO_VSC, layout) & 0xFF;
        if (vk == kVkRightShift) scan = kRightShiftScanCode;
    }
    return scan;
}

}  // namespace

SystemKeyOutput::SystemKeyOutput(KeyboardWatch* watch)
    : watch_(watch && watch->running() ? watch : nullptr), layout_(focused_layout()) {
    if (!watch_) return;
    seen_at_start_ = watch_->own_events_seen();
    // The marks are lone key-ups of the mask key: they mean nothing to any window.
    inject(kVkMaskKey, true, key_event_tag::make(key_event_tag::begin_send));
}

SystemKeyOutput::~SystemKeyOutput() {
    if (watch_) inject(kVkMaskKey, true, key_event_tag::make(key_event_tag::end_send));
}

bool SystemKeyOutput::watch_alive() {
    // By the end of a hold the hook has long seen the begin mark.
    if (!watch_lost_ && watch_->own_events_seen() == seen_at_start_) watch_lost_ = true;
    return !watch_lost_;
}

void SystemKeyOutput::inject(std::uint8_t vk, bool up, ULONG_PTR tag) {
    DWORD flags = up ? KEYEVENTF_KEYUP : 0;
    if (is_extended_key(vk)) flags |= KEYEVENTF_EXTENDEDKEY;
    ::keybd_event(vk, static_cast<BYTE>(scan_code(vk, layout_)), flags, tag);
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
        case KeyStepKind::press_if_held:
            // No one to ask: a key put back that the user has let go would stay down.
            if (watch_ && watch_alive()) inject(step.virtual_key, false, make(press_if_held));
            break;
        case KeyStepKind::release_if_free:
            inject(step.virtual_key, true, watch_ && watch_alive() ? make(release_if_free) : plain_tag);
            break;
        case KeyStepKind::mask:
            inject(kVkMaskKey, false, plain_tag);
            inject(kVkMaskKey, true, plain_tag);
            break;
    }
}

void SystemKeyOutput::hold(int milliseconds) { Pause(milliseconds); }

}  // namespace vantero
