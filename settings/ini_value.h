#pragma once
#include <string>
#include <string_view>

namespace vantero {

// A name or value as it may go into one line of the settings file: every run of CR/LF becomes
// one space and NUL is dropped, so no text can start a line (a section or key) of its own.
std::wstring one_line(std::wstring_view text);

}  // namespace vantero
