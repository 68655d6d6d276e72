// Any series of key events in a hotkey box: the mask and the shown text always agree.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "hotkey/hotkey_capture.h"

namespace {

bool starts_with(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

void check(const vantero::HotkeyCapture& c, bool text_from_store) {
    const int mask = c.mod_key_code();
    if (mask < 0 || mask > 15) std::abort();
    if (c.key_code() < 0 || c.key_code() > 255) std::abort();
    const std::string& text = c.text();
    if (text == vantero::kHotkeyPlaceholder || text_from_store)
        return;  // a stored text is shown as stored
    // The prefix is always Win, Ctrl, Alt, Shift in that order, exactly as the mask says.
    std::string expected;
    if (mask & vantero::kModWin) expected += "Win + ";
    if (mask & vantero::kModControl) expected += "Ctrl + ";
    if (mask & vantero::kModAlt) expected += "Alt + ";
    if (mask & vantero::kModShift) expected += "Shift + ";
    if (!starts_with(text, expected.c_str())) std::abort();
    if (c.key_code() == 0 && text != expected) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vantero::HotkeyCapture capture(
        [](int vk) { return vk % 7 == 0 ? std::string() : "K" + std::to_string(vk); });
    // Each event: a byte for the key, a byte whose low bits are the shift state, bit 3 the left
    // Win key and the top bit tells down from up; the first bytes may also be a stored capture.
    bool from_store = false;
    if (size >= 3 && data[0] == 0xFF) {
        capture.restore("stored", std::to_string(data[1] - 16), std::to_string(data[2] % 20));
        from_store = capture.text() == "stored";
        check(capture, from_store);
        data += 3;
        size -= 3;
    }
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const int vk = data[i];
        const int shift = data[i + 1] & 7;
        if (data[i + 1] & 0x80) {
            capture.key_up(vk);
            if (capture.text() == vantero::kHotkeyPlaceholder) from_store = false;
        } else if (!vantero::HotkeyCapture::is_dropped_key(vk)) {
            capture.key_down(vk, shift, (data[i + 1] & 8) != 0);
            from_store = false;
        }
        check(capture, from_store);
    }
    return 0;
}
