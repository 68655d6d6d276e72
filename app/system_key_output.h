#pragma once
// The system's keyboard for one send: keybd_event with the scan code of the current keyboard
// layout and the extended flag where a keyboard sets it.
#include <array>
#include <cstdint>

#include "app/keyboard_watch.h"
#include "app/sender.h"

namespace vantero {

class SystemKeyOutput {
public:
    // watch: tells the conditional steps what the user holds; null or not running when the
    // user's keys are not watched, and then a conditional press is left out and a conditional
    // release is made.
    // Construct it before reading the modifiers down: it lets the last send's keys settle.
    explicit SystemKeyOutput(KeyboardWatch* watch);
    // The send's end mark for the watch, in the input stream, if it typed anything; before it,
    // the release of a modifier put back as the user let go of it.
    ~SystemKeyOutput();
    SystemKeyOutput(const SystemKeyOutput&) = delete;
    SystemKeyOutput& operator=(const SystemKeyOutput&) = delete;

    void send(const KeyStep& step);

    bool user_keys_known() const { return watch_ != nullptr; }
    // The hook saw none of this send's events: it is gone, and needs restarting.
    bool watch_lost() const { return watch_lost_; }

private:
    void inject(std::uint8_t vk, bool up, ULONG_PTR tag);
    bool watch_alive();
    // The side the system takes a modifier key for (a generic Ctrl is the left one).
    std::uint8_t side_of(std::uint8_t vk);

    KeyboardWatch* watch_;
    std::uint32_t seen_at_start_ = 0;
    bool began_ = false;  // the first event, marked as the send's begin, has gone
    bool watch_lost_ = false;
    bool put_back_ = false;  // a lifted modifier was put back
    HKL layout_;
    // Each key's scan code, looked up at its press: its release then takes no time off the hold.
    std::array<std::int16_t, 256> scan_codes_;
};

}  // namespace vantero
