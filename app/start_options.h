#pragma once
// How the program was asked to start: its command line's arguments, and the command that starts
// it with Windows.
#include <string>
#include <string_view>

namespace vantero {

struct StartOptions {
    bool in_tray = false;        // the window stays hidden (a start with Windows)
    bool after_restart = false;  // the copy that asked for this start is still saving: wait for it
};

// Unknown arguments are ignored; the known ones match whatever their letter case.
StartOptions parse_start_options(std::wstring_view command_line);

// What the Run value holds: the quoted program path and the argument that keeps it in the tray.
std::wstring start_in_tray_command(std::wstring_view program_path);
// Whether a Run value starts this very program in the tray: a value left by a copy that has moved
// since starts nothing, or another program. Paths match whatever their letter case.
bool run_value_starts(std::wstring_view value, std::wstring_view program_path);

}  // namespace vantero
