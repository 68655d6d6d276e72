#pragma once
// Start with Windows: the program's value under the current user's Run key.
#include <windows.h>

namespace vantero {

// Whether the Run value starts this very program, in the tray.
bool starts_with_windows();
// Writes or removes the value; ERROR_SUCCESS or the system's error code.
DWORD set_start_with_windows(bool on);

}  // namespace vantero
