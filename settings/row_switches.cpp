#include "settings/row_switches.h"

#include <string>

#include "common/external_strings.h"
#include "settings/settings_file.h"

namespace vantero {

std::array<bool, kRowCount> read_row_switches(const IniLocation& file) {
    std::array<bool, kRowCount> started{};
    for (int k = 0; k < kRowCount; ++k) {
        started[k] =
            read_setting(file, external::kRowSwitchSection, std::to_wstring(k), L"0") == L"1";
    }
    return started;
}

DWORD write_row_switch(const IniLocation& file, int row_index, bool started) {
    return write_setting(file, external::kRowSwitchSection, std::to_wstring(row_index),
                         started ? L"1" : L"0");
}

}  // namespace vantero
