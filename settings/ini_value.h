#pragma once
// What a value of the settings file may hold, decided apart from the system: the code page's
// conversions are passed in.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vantero {

// A value is what a 255-byte ANSI buffer holds: at most 254 bytes of the code page.
inline constexpr std::size_t kMaxValueBytes = 254;

// The bytes one character (a single unit or a surrogate pair) takes in the file's code page.
using CharacterBytes = std::function<std::size_t(std::wstring_view character)>;
// Whether the code page holds one character exactly (not as "?" or a look-alike).
using HoldsCharacter = std::function<bool(std::wstring_view character)>;

// A name or value as it may go into one line of the settings file: every run of CR/LF becomes
// one space and NUL is dropped, so no text can start a line (a section or key) of its own.
std::wstring one_line(std::wstring_view text);

// The value as it is written so that the profile functions read it back unchanged: they trim
// blanks around a value and drop one pair of enclosing quotes (" or '), so a value they would
// change is put in double quotes, which they drop again. Any other value is written as it is, so
// files of earlier versions read as they always did.
std::wstring protected_from_trimming(std::wstring_view value);

// One entry as it is handed to the profile functions: no name or value can break a line, and the
// value comes back exactly.
struct IniEntry {
    std::wstring section, key, value;
};
IniEntry entry_as_written(std::wstring_view section, std::wstring_view key,
                          std::wstring_view value);

// The longest start of text that fits in max_bytes of the code page, cut on whole characters so
// a double-byte character or a surrogate pair is never split.
std::wstring_view fitting_bytes(std::wstring_view text, std::size_t max_bytes,
                                const CharacterBytes& bytes_of);

// The characters of text the code page cannot hold, as they occur (each once).
std::wstring characters_not_held(std::wstring_view text, const HoldsCharacter& holds);

}  // namespace vantero
