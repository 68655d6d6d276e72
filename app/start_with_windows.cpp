#include "app/start_with_windows.h"

#include <string>

#include "app/integrity.h"
#include "app/start_options.h"
#include "common/external_strings.h"
#include "common/unique_handle.h"

namespace vantero {

bool starts_with_windows() {
    wchar_t value[4096];
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, external::kRunKey, external::kRunValueName, RRF_RT_REG_SZ,
                       nullptr, value, &size) != ERROR_SUCCESS)
        return false;
    return run_value_starts(value, own_program_path());
}

DWORD set_start_with_windows(bool on) {
    HKEY opened = nullptr;
    DWORD error = ::RegCreateKeyExW(HKEY_CURRENT_USER, external::kRunKey, 0, nullptr, 0,
                                    KEY_SET_VALUE, nullptr, &opened, nullptr);
    if (error != ERROR_SUCCESS) return error;
    const unique_registry_key key(opened);
    if (!on) {
        error = ::RegDeleteValueW(key.get(), external::kRunValueName);
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
    }
    const std::wstring command = start_in_tray_command(own_program_path());
    return ::RegSetValueExW(key.get(), external::kRunValueName, 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(command.c_str()),
                            static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

}  // namespace vantero
