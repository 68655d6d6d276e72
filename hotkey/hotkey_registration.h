#pragma once
// When a hotkey box's combination is registered with the system: enabling, disabling and the
// nested suspensions that let the registration go for a while, apart from the system's calls.
#include <functional>
#include <utility>

namespace vantero {

class HotkeyRegistration {
public:
    // register_hotkey: registers the captured combination, false when the system refuses it;
    // unregister_hotkey: lets it go again.
    HotkeyRegistration(std::function<bool()> register_hotkey,
                       std::function<void()> unregister_hotkey)
        : register_(std::move(register_hotkey)), unregister_(std::move(unregister_hotkey)) {}

    bool enabled() const { return enabled_; }

    // What enabling from the host's side came to; the host words the two failures for the user.
    enum class Outcome { done, nothing_captured, refused };
    // has_trigger: whether something that can be registered is captured. Disabling always works;
    // a refusal leaves the capture alone, as another program may own the combination for a while.
    Outcome set_enabled(bool value, bool has_trigger);
    // Enables without a word: false when nothing is captured or the system refuses. While
    // suspended the registration is only checked and let go again.
    bool try_enable(bool has_trigger);
    void disable();

    // Suspensions nest; the first lets an enabled registration go.
    void suspend();
    // Ends one suspension; the last registers again. A refusal then disables (false returned).
    bool resume();

private:
    std::function<bool()> register_;
    std::function<void()> unregister_;
    bool enabled_ = false;
    int suspensions_ = 0;  // while above 0, an enabled hotkey is not registered
};

}  // namespace vantero
