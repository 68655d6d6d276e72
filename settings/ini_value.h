#pragma once
#include <string>
#include <string_view>

namespace vantero {

// A name or value as it may go into one line of the settings file: every run of CR/LF becomes
// one space and NUL is dropped, so no text can start a line (a section or key) of its own.
std::wstring one_line(std::wstring_view text);

// The value as it is written so that the profile functions read it back unchanged: they trim
// blanks around a value and drop one pair of enclosing quotes (" or '), so a value they would
// change is put in double quotes, which they drop again. Any other value is written as it is, so
// files of earlier versions read as they always did.
std::wstring protected_from_trimming(std::wstring_view value);

}  // namespace vantero
