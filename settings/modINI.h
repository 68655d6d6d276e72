#pragma once
// The program-wide settings file (set.ini beside the program), read and written through the
// system's ANSI profile-string functions so the file keeps the ANSI code page's encoding.
#include <string>
#include <string_view>

namespace vantero {

// Fixes the path used by every later read and write: file_name in the program's folder.
void SetIniPath(std::wstring_view file_name);

// The full path in use; empty until SetIniPath has run.
const std::wstring& IniPath();

// The stored value (at most 254 bytes in the ANSI code page, blanks around it trimmed),
// the default when the key is missing, or empty.
std::wstring GetINI(std::wstring_view section, std::wstring_view key, std::wstring_view default_value);

// Stores the value, creating the file, section or key as needed. Failures are silent.
void WriteINI(std::wstring_view section, std::wstring_view key, std::wstring_view value);

}  // namespace vantero
