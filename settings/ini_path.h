#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "settings/ini_location.h"

namespace vantero {

// The settings file beside the program: exactly one separator between folder and name,
// also when the folder is a drive's root ("C:\").
std::wstring join_ini_path(std::wstring_view folder, std::wstring_view file_name);

// A path without its "\\?\" (or "\\?\UNC\") prefix, which the profile functions refuse.
std::wstring without_extended_prefix(std::wstring_view path);

// A full path with that prefix, which path functions need beyond MAX_PATH characters.
std::wstring with_extended_prefix(std::wstring_view path);

// The profile functions fail for paths of this many characters or more (MAX_PATH).
inline constexpr std::size_t kMaxProfilePath = 260;

// The folder's short (8.3) form, or empty when the system has none.
using ShortFolder = std::function<std::wstring(const std::wstring& folder)>;

// file_name in the folder of the program at program_path (with or without the "\\?\" prefix).
// A path too long for the profile functions is used through the folder's short form, if any.
IniLocation locate_in_folder_of(std::wstring_view program_path, std::wstring_view file_name,
                                const ShortFolder& short_folder);

}  // namespace vantero
