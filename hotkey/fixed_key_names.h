#pragma once
// Names for the keys a keyboard layout leaves unnamed: the browser, volume, media and launch
// keys and Sleep. Layouts give them no name (or a wrong one), so the hotkey box names them
// itself, in English like the layout's names.
#include <string_view>

namespace vantero {

// The key's own name, or empty for keys the layout names.
std::string_view fixed_key_name(int virtual_key);

}  // namespace vantero
