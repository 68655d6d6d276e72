#pragma once
// Types a row's target keys: press in order, hold, release in reverse order.
#include <cstdint>
#include <string>

namespace vantero {

// Where the sender's key events go: the system in the program, a recorder in tests.
class KeyOutput {
public:
    virtual ~KeyOutput() = default;
    virtual void press(std::uint8_t virtual_key) = 0;
    virtual void release(std::uint8_t virtual_key) = 0;
    // Blocks for the hold time; in the program it keeps dispatching window messages.
    virtual void hold(int milliseconds) = 0;
};

// Hold times: one key 100 ms, two or three keys 200 ms.
int hold_time_for(std::size_t key_count);

// Sends the key-sequence string through out. An invalid string sends nothing. Every key that was
// pressed is released, in reverse order, even when hold() throws. Always returns 0.
int opendo(const std::string& textall, KeyOutput& out);

}  // namespace vantero
