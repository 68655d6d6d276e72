// Any series of key events in a hotkey box: both codes stay in range, and the text shows the
// modifiers of the mask, Win, Ctrl, Alt, Shift in that order, then the key's name, which only a
// captured key has.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "hotkey/hotkey_capture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantero;
    HotkeyCapture capture([](int vk) { return vk % 7 == 0 ? "" : "K" + std::to_string(vk); });
    // Two bytes an event: the key, and the shift state in the low bits, the left Win key in
    // bit 3, a key-up in the top bit.
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const int vk = data[i];
        if (data[i + 1] & 0x80) {
            capture.key_up(vk);
        } else if (!capture.ignores(vk)) {
            capture.key_down(vk, data[i + 1] & 7, (data[i + 1] & 8) != 0);
        }
        const int mask = capture.mod_key_code();
        const int key = capture.key_code();
        if (mask < 0 || mask > 15 || key < 0 || key > 255) std::abort();
        if (capture.text() == kHotkeyPlaceholder) continue;
        std::string modifiers;
        if (mask & kModWin) modifiers += "Win + ";
        if (mask & kModControl) modifiers += "Ctrl + ";
        if (mask & kModAlt) modifiers += "Alt + ";
        if (mask & kModShift) modifiers += "Shift + ";
        if (!capture.text().starts_with(modifiers)) std::abort();
        if (key == 0 && capture.text() != modifiers) std::abort();
    }
    return 0;
}
