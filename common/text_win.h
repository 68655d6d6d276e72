#pragma once
// Conversions between the program's UTF-8 strings and the UI's UTF-16.
#include <string>
#include <string_view>

namespace vantero {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

}  // namespace vantero
