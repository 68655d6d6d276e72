#pragma once
// A row's target keys and remark in set.ini: sections "conftext" (the display text),
// "conftooltip" (the key-sequence string) and "remark", each keyed by the row index "0" to "8".
#include <windows.h>

#include <string>

namespace vantero {

struct StoredRow {
    std::wstring display_text;  // "Ctrl + A"
    std::wstring key_sequence;  // "2|17|65"
    std::wstring remark;
};

// Missing values read as empty.
StoredRow read_row(int row_index);

// Each returns ERROR_SUCCESS when stored, else the first failure's error code.
DWORD write_row_keys(int row_index, const std::wstring& display_text,
                     const std::wstring& key_sequence);
DWORD write_row_remark(int row_index, const std::wstring& remark);

}  // namespace vantero
