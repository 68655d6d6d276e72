#include "settings/target_row.h"

namespace vantero {

std::optional<TargetKeys> stored_keys(std::wstring_view text) {
    std::string ascii;
    for (const wchar_t c : text) {
        if (static_cast<unsigned long>(c) > 0x7F)
            return std::nullopt;  // only digits and bars are valid
        ascii += static_cast<char>(c);
    }
    return TargetKeys::parse(ascii);
}

std::wstring stored_text(const std::optional<TargetKeys>& keys) {
    if (!keys) return {};
    const std::string text = keys->text();
    return std::wstring(text.begin(), text.end());
}

}  // namespace vantero
