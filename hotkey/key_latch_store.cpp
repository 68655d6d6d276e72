#include "common/external_strings.h"
#include "hotkey/key_latch_properties.h"

namespace vantero {

StoredHotkey read_stored_hotkey(
    const std::wstring& name, const std::wstring& placeholder,
    const std::function<std::wstring(const std::wstring& key, const std::wstring& fallback)>&
        read) {
    return {read(name + external::kTextKey, placeholder), read(name + external::kKeyCodeKey, L"0"),
            read(name + external::kModKeyCodeKey, L"0")};
}

unsigned long write_stored_hotkey(
    const std::wstring& name, const std::wstring& text, int key_code, int mod_key_code,
    const std::function<unsigned long(const std::wstring& key, const std::wstring& value)>& write) {
    const std::wstring values[][2] = {
        {name + external::kTextKey, text},
        {name + external::kKeyCodeKey, std::to_wstring(key_code)},
        {name + external::kModKeyCodeKey, std::to_wstring(mod_key_code)}};
    for (const auto& [key, value] : values) {
        if (const unsigned long error = write(key, value)) return error;
    }
    return 0;
}

}  // namespace vantero
