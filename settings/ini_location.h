#pragma once
// Where the settings file lives, worked out once when its path is fixed.
#include <string>
#include <string_view>

namespace vantero {

struct IniLocation {
    std::wstring shown;  // the full path, as the user knows the folder
    std::wstring used;   // what the profile functions get: shown, or its short form when too long
};

// The path of this program's file, as GetModuleFileNameW gives it.
std::wstring program_path();

// file_name in the folder of the program at program_path. The profile functions fail for paths
// of MAX_PATH characters or more, so a longer path is used through the folder's short (8.3) form.
IniLocation locate_beside(std::wstring_view program_path, std::wstring_view file_name);

// The location every read and write uses (settings_file.cpp). use_settings_file fixes it beside
// this program; tests stand in for a program in a folder they cannot start it from.
const IniLocation& current_ini_location();
void use_ini_location(IniLocation location);

}  // namespace vantero
