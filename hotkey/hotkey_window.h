#pragma once
// The hidden top-level window that holds one control's system hotkey registration.
#include <windows.h>

#include "common/unique_handle.h"

namespace vantero {

struct hotkey_window_traits {
    using pointer = HWND;
    static pointer invalid() noexcept { return nullptr; }
    // The registration dies with the window; a WM_HOTKEY still queued for it is dropped first.
    static void close(pointer window) noexcept;
};
using unique_hotkey_window = unique_handle<hotkey_window_traits>;

// An invisible dialog-class window of the program's own; null if the system refuses it.
unique_hotkey_window create_hotkey_window();

}  // namespace vantero
