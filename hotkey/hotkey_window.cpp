#include "hotkey/hotkey_window.h"

#include "common/external_strings.h"

namespace vantero {

void hotkey_window_traits::close(pointer window) noexcept {
    MSG message;
    while (::PeekMessageW(&message, window, WM_HOTKEY, WM_HOTKEY, PM_REMOVE)) {
    }
    ::DestroyWindow(window);
}

unique_hotkey_window create_hotkey_window() {
    return unique_hotkey_window(::CreateWindowExW(0, external::kHotkeyWindowClass, L"", 0, 0, 0, 0,
                                                  0, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                                                  nullptr));
}

}  // namespace vantero
