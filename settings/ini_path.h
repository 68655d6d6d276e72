#pragma once
#include <string>
#include <string_view>

namespace vantero {

// The settings file beside the program: exactly one separator between folder and name,
// also when the folder is a drive's root ("C:\").
std::wstring join_ini_path(std::wstring_view folder, std::wstring_view file_name);

// A path without its "\\?\" (or "\\?\UNC\") prefix, which the profile functions refuse.
std::wstring without_extended_prefix(std::wstring_view path);

// A full path with that prefix, which path functions need beyond MAX_PATH characters.
std::wstring with_extended_prefix(std::wstring_view path);

}  // namespace vantero
