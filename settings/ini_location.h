#pragma once
// Where the settings file lives: worked out once at start-up and handed to whoever reads or
// writes it.
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

}  // namespace vantero
