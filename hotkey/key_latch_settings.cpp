#include "hotkey/key_latch_settings.h"

#include <windows.h>

#include "common/external_strings.h"
#include "common/text_win.h"
#include "common/unique_handle.h"
#include "hotkey/hotkey_capture.h"
#include "settings/settings_file.h"

namespace vantero {
namespace {

constexpr const wchar_t* kSection = external::kHotkeySection;

// A missing or unreadable value gives the default, as a missing INI key does.
std::wstring read_registry_setting(const std::wstring& app, const std::wstring& key,
                                   const std::wstring& fallback) {
    const std::wstring subkey = registry_settings_key(app, kSection);
    for (int attempt = 0; attempt < 2; ++attempt) {  // the value may grow between the two reads
        DWORD size = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), key.c_str(), RRF_RT_REG_SZ, nullptr,
                           nullptr, &size) != ERROR_SUCCESS) {
            return fallback;
        }
        std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        const LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), key.c_str(),
                                              RRF_RT_REG_SZ, nullptr, value.data(), &size);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) return fallback;
        const size_t end = value.find(L'\0');
        if (end != std::wstring::npos) value.resize(end);
        return value;
    }
    return fallback;
}

DWORD save_registry_setting(HKEY section, const std::wstring& key, const std::wstring& value) {
    return static_cast<DWORD>(::RegSetValueExW(
        section, key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
}

}  // namespace

std::wstring registry_settings_key(const std::wstring& app_name, const std::wstring& section) {
    return std::wstring(external::kRegistrySettingsRoot) + L"\\" + app_name + L"\\" + section;
}

StoredHotkey load_stored_hotkey(const KeyLatchStore& store, const std::wstring& name) {
    return read_stored_hotkey(name, widen(kHotkeyPlaceholder),
                              [&](const std::wstring& key, const std::wstring& fallback) {
                                  return store.setting_location == 0
                                             ? read_setting(store.settings, kSection, key, fallback)
                                             : read_registry_setting(store.reg_key_name, key,
                                                                     fallback);
                              });
}

DWORD save_stored_hotkey(const KeyLatchStore& store, const std::wstring& name,
                         const std::wstring& text, int key_code, int mod_key_code) {
    if (store.setting_location == 0) {
        return write_stored_hotkey(name, text, key_code, mod_key_code,
                                   [&](const std::wstring& key, const std::wstring& value) {
                                       return write_setting(store.settings, kSection, key, value);
                                   });
    }
    HKEY raw = nullptr;
    const LSTATUS opened = ::RegCreateKeyExW(
        HKEY_CURRENT_USER, registry_settings_key(store.reg_key_name, kSection).c_str(), 0, nullptr,
        0, KEY_SET_VALUE, nullptr, &raw, nullptr);
    if (opened != ERROR_SUCCESS) return static_cast<DWORD>(opened);
    const unique_registry_key section(raw);
    return write_stored_hotkey(name, text, key_code, mod_key_code,
                               [&](const std::wstring& key, const std::wstring& value) {
                                   return save_registry_setting(section.get(), key, value);
                               });
}

}  // namespace vantero
