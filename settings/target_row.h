#pragma once
// A row's target as set.ini holds it, read and checked once: what the target box shows, the keys
// a send types and the remark.
#include <optional>
#include <string>
#include <string_view>

#include "common/key_sequence.h"

namespace vantero {

struct TargetRow {
    std::wstring display_text;  // "Ctrl + A", shown as stored
    // Nothing when no valid key-sequence string is stored: the row cannot be ticked and sends
    // nothing, though it shows its text.
    std::optional<TargetKeys> keys;
    std::wstring remark;
};

// The keys a stored key-sequence string holds ("2|17|65"), or nothing.
std::optional<TargetKeys> stored_keys(std::wstring_view text);
// The key-sequence string stored for keys; empty for none.
std::wstring stored_text(const std::optional<TargetKeys>& keys);

}  // namespace vantero
