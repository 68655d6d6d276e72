#pragma once
// Where a KeyLatch keeps its hotkey between runs: section "KeyLatch" of the program's INI file,
// or the same section in the per-user application settings of the registry.
#include <windows.h>

#include <string>

#include "settings/ini_location.h"

namespace vantero {

struct KeyLatchStore {
    int setting_location = 0;  // 0 = INI file, anything else = registry
    std::wstring reg_key_name = L"KeyLatch";
    IniLocation settings;  // the program's settings file, used in INI mode
};

// The stored values as text, defaults filled in; judging the codes is the caller's business.
struct StoredHotkey {
    std::wstring text;
    std::wstring key_code;
    std::wstring mod_key_code;
};

// In INI mode it reads the settings file at store.settings.
StoredHotkey load_stored_hotkey(const KeyLatchStore& store, const std::wstring& name);

// Writes <name>Text, <name>KeyCode, <name>mod_key_code in that order, the codes in plain decimal.
// In INI mode it writes the settings file at store.settings. Stops at the first failure and returns
// its system error code (write_setting's, or the registry's status); ERROR_SUCCESS when all three
// are stored.
DWORD save_stored_hotkey(const KeyLatchStore& store, const std::wstring& name,
                         const std::wstring& text, int key_code, int mod_key_code);

// HKEY_CURRENT_USER subkey of an application's settings section in registry mode.
std::wstring registry_settings_key(const std::wstring& app_name, const std::wstring& section);

}  // namespace vantero
