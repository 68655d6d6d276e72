#pragma once
#include "app/sender.h"

namespace vantero {

// The system's keyboard: keybd_event with scan code 0 and no extended flag, held with Pause.
class SystemKeyOutput final : public KeyOutput {
public:
    void press(std::uint8_t virtual_key) override;
    void release(std::uint8_t virtual_key) override;
    void hold(int milliseconds) override;
};

}  // namespace vantero
