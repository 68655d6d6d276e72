#pragma once
// Which rows the user left started ("启动" ticked), so that a restart brings them back: section
// "running" of set.ini, keyed by the row index "0" to "8", "1" for started. A file without the
// section (an older one) starts nothing.
#include <windows.h>

#include <array>

#include "common/rows.h"
#include "settings/ini_location.h"

namespace vantero {

std::array<bool, kRowCount> read_row_switches(const IniLocation& file);

// ERROR_SUCCESS when stored, else the system's error code.
DWORD write_row_switch(const IniLocation& file, int row_index, bool started);

}  // namespace vantero
