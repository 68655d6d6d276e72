#pragma once
// The key name table: the names the editor offers and their virtual-key codes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantero {

// The code of a key name, compared exactly (case and blanks matter); nothing for unknown names
// and for the empty name.
std::optional<int> key_code_of(std::string_view name);

// The name of a code, as the selectors offer it; nothing for codes without a name.
std::optional<std::string> key_name(int code);

// The names offered by the first selector and by the second and third selectors, in the order
// in which they are added; each list starts with the empty entry (63 entries each).
const std::vector<std::string>& first_key_list_names();
const std::vector<std::string>& other_key_list_names();

}  // namespace vantero
