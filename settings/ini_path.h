#pragma once
#include <string>
#include <string_view>

namespace vantero {

// The settings file beside the program: exactly one separator between folder and name,
// also when the folder is a drive's root ("C:\").
std::wstring join_ini_path(std::wstring_view folder, std::wstring_view file_name);

}  // namespace vantero
