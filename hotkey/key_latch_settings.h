#pragma once
// A KeyLatch's hotkey in the INI file or the registry (KeyLatchStore says which).
#include <windows.h>

#include <string>

#include "hotkey/key_latch_properties.h"

namespace vantero {

// In INI mode it reads the settings file at store.settings.
StoredHotkey load_stored_hotkey(const KeyLatchStore& store, const std::wstring& name);

// As write_stored_hotkey writes; in INI mode to the settings file at store.settings. The first
// failure's system error code (write_setting's, or the registry's status), or ERROR_SUCCESS.
DWORD save_stored_hotkey(const KeyLatchStore& store, const std::wstring& name,
                         const std::wstring& text, int key_code, int mod_key_code);

// HKEY_CURRENT_USER subkey of an application's settings section in registry mode.
std::wstring registry_settings_key(const std::wstring& app_name, const std::wstring& section);

}  // namespace vantero
