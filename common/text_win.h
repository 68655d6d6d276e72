#pragma once
// Conversions between the program's UTF-8 strings, the UI's UTF-16 and the system's ANSI code page.
#include <string>
#include <string_view>

namespace vantero {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// To and from the ANSI code page (CP_ACP), as the A functions of the system take text.
std::string to_ansi(std::wstring_view wide);
std::wstring from_ansi(std::string_view ansi);

}  // namespace vantero
