#include "app/keybd_output.h"

#include <windows.h>

#include "app/clsWaitableTimer.h"

namespace vantero {

void SystemKeyOutput::press(std::uint8_t virtual_key) { ::keybd_event(virtual_key, 0, 0, 0); }

void SystemKeyOutput::release(std::uint8_t virtual_key) {
    ::keybd_event(virtual_key, 0, KEYEVENTF_KEYUP, 0);
}

void SystemKeyOutput::hold(int milliseconds) { Pause(milliseconds); }

}  // namespace vantero
