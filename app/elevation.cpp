#include "app/elevation.h"

#include <cwctype>

namespace vantero {

SendDecision decide_send(std::optional<unsigned long> own_level,
                         std::optional<unsigned long> target_level, const std::wstring& program,
                         std::set<std::wstring>& told) {
    if (!own_level || !target_level || *target_level <= *own_level) return {};
    std::wstring name = program;
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
    constexpr unsigned long kHighLevel = 0x3000;
    return {false, told.insert(name).second,
            *own_level < kHighLevel && *target_level <= kHighLevel};
}

}  // namespace vantero
