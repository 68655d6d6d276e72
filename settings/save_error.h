#pragma once
#include <windows.h>

#include <string>

#include "settings/ini_location.h"

namespace vantero {

// A message for the user about a failed write_setting: which file could not be written and why
// (settings/failure_message.h), with what the system knows of the place.
std::wstring describe_save_error(const IniLocation& file, DWORD error);
// The same for a file that exists but could not be read at start-up (check_settings_readable).
std::wstring describe_read_error(const IniLocation& file, DWORD error);

// The system's text for an error code, without the closing full stop and line break; empty when
// the system has none.
std::wstring system_error_text(DWORD error);
// The system's words for an error, with its number: "拒绝访问（错误代码 5）。".
std::wstring describe_system_error(DWORD error);

}  // namespace vantero
