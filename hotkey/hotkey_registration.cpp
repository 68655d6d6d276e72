#include "hotkey/hotkey_registration.h"

namespace vantero {

HotkeyRegistration::Outcome HotkeyRegistration::set_enabled(bool value, bool has_trigger) {
    if (value == enabled_) return Outcome::done;
    if (!value) {
        disable();
        return Outcome::done;
    }
    if (!has_trigger) return Outcome::nothing_captured;
    return try_enable(true) ? Outcome::done : Outcome::refused;
}

bool HotkeyRegistration::try_enable(bool has_trigger) {
    if (enabled_) return true;
    if (!has_trigger || !register_()) return false;
    enabled_ = true;
    if (suspensions_ > 0) unregister_();
    return true;
}

void HotkeyRegistration::disable() {
    if (!enabled_) return;
    unregister_();
    enabled_ = false;
}

void HotkeyRegistration::suspend() {
    if (suspensions_++ == 0 && enabled_) unregister_();
}

bool HotkeyRegistration::resume() {
    if (suspensions_ == 0) return true;
    if (--suspensions_ > 0 || !enabled_) return true;
    if (register_()) return true;
    enabled_ = false;
    return false;
}

}  // namespace vantero
