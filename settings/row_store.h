#pragma once
// A row's target keys and remark in set.ini: sections "conftext" (the display text),
// "conftooltip" (the key-sequence string) and "remark", each keyed by the row index "0" to "8".
#include <windows.h>

#include <string>

#include "settings/ini_location.h"
#include "settings/target_row.h"

namespace vantero {

// Missing values read as empty; the key-sequence string is parsed here, once.
TargetRow read_row(const IniLocation& file, int row_index);

// Each returns ERROR_SUCCESS when stored, else the first failure's error code.
DWORD write_row_keys(const IniLocation& file, int row_index, const std::wstring& display_text,
                     const std::optional<TargetKeys>& keys);
DWORD write_row_remark(const IniLocation& file, int row_index, const std::wstring& remark);

}  // namespace vantero
