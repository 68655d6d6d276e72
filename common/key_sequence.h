#pragma once
// The key-sequence string of a row: "count|code|code..." such as "2|17|65".
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vantero {

// The virtual-key codes to press, in pressing order (one to three of them), or nothing when the
// string is not a complete, valid sequence. The count must be exactly "1", "2" or "3"; each of
// the first count codes must be plain decimal digits with a value of 0 to 255; fields after them
// are ignored ("1|65|66" gives {65}). The empty string gives nothing.
std::optional<std::vector<std::uint8_t>> parse_key_sequence(std::string_view text);

}  // namespace vantero
