#pragma once
// Integrity levels of processes, this program's path, and its restart as administrator.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace vantero {

// The process behind the focused window: its integrity level, if it can be read, and its exe name.
struct ForegroundProgram {
    std::optional<unsigned long> level;
    std::wstring name;
};
// Replaced in tests; the program asks the system.
using ForegroundQuery = std::function<ForegroundProgram()>;
ForegroundProgram query_foreground_program();

std::optional<unsigned long> own_integrity_level();
// At high integrity or above: what an administrator's elevated program runs at.
bool runs_elevated();

std::wstring own_program_path();

// Starts this program again as administrator, asking it to wait until this copy has ended its
// run. False when it did not start (the user said no, say).
bool start_as_administrator(HWND owner);

}  // namespace vantero
