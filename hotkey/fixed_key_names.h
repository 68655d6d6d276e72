#pragma once
// Names for the keys a keyboard layout leaves unnamed: the browser, volume, media and launch
// keys and Sleep. Layouts give them no name (or a wrong one), so the hotkey box names them
// itself, in English like the layout's names.
#include <functional>
#include <string>
#include <string_view>

namespace vantero {

// The key's own name, or empty for keys the layout names.
std::string_view fixed_key_name(int virtual_key);

// The layout's name of a key's scan code, asked with the extended bit or without; may be empty.
using LayoutKeyName = std::function<std::string(bool extended)>;

// The key's name: our own for the keys layouts leave unnamed, else the layout's. The layout is
// asked with the extended bit where a keyboard sets it, or Delete reads as the keypad's decimal
// key and Num Lock as Pause (they share scan codes); without it only if that gives no name, as
// Wine does for Ctrl+Break.
std::string key_name_of(int virtual_key, const LayoutKeyName& layout_name);

}  // namespace vantero
