#pragma once
// The program-wide settings file (set.ini beside the program), read and written through the
// system's Unicode profile-string functions with the full path, so any folder works (names
// outside the ANSI code page, paths beyond MAX_PATH through the folder's short form). The file
// itself stays in the ANSI code page: an existing file keeps its bytes, a new one is created so.
// Where it is (IniLocation) is decided once at start-up and handed to every reader and writer.
#include <windows.h>

#include <string>
#include <string_view>

#include "settings/ini_location.h"

namespace vantero {

// The program's settings file, beside the program.
inline constexpr const wchar_t* kSettingsFileName = L"set.ini";

// The stored value (at most 254 bytes in the ANSI code page, cut on a whole character; blanks
// and quotes around a value in a hand-edited file trimmed), the default when the key is missing or
// the file cannot be read, or empty. Section and key name are flattened as write_setting flattens
// them, so a name finds what it wrote.
std::wstring read_setting(const IniLocation& file, std::wstring_view section, std::wstring_view key,
                          std::wstring_view default_value);

// The characters of text the file cannot hold, as they occur (each once): those outside the ANSI
// code page, which the file would keep as "?" or as a look-alike.
std::wstring characters_outside_code_page(std::wstring_view text);

// Whether the stored settings can be read: ERROR_SUCCESS when the file can be opened as the
// profile functions open it to read, or does not exist yet. While another program holds it
// (sharing or lock violation) it is tried again for about two seconds; then, or for any other
// reason, the system's error code. The profile functions give defaults for a file they cannot
// read, so what was read while this fails is not what the file holds.
DWORD check_settings_readable(const IniLocation& file);

// Stores the value, creating the file, section or key as needed. Line breaks cannot reach the
// file: in names and value every run of CR/LF becomes one space and NUL is dropped. Otherwise
// read_setting gives the value back exactly: blanks or quotes at its ends are kept. While another
// program holds the file (sharing or lock violation) the write is tried again for about two
// seconds. Returns ERROR_SUCCESS when stored, else the system's error code (never 0);
// describe_save_error (settings/save_error.h) turns it into a message for the user.
DWORD write_setting(const IniLocation& file, std::wstring_view section, std::wstring_view key,
                    std::wstring_view value);

}  // namespace vantero
