#include "settings/ini_value.h"

namespace vantero {

std::wstring one_line(std::wstring_view text) {
    std::wstring line;
    line.reserve(text.size());
    bool in_break = false;
    for (const wchar_t c : text) {
        if (c == L'\0') continue;  // invisible: "\r\0\n" is still one break
        const bool is_break = c == L'\r' || c == L'\n';
        if (is_break && !in_break) line += L' ';
        if (!is_break) line += c;
        in_break = is_break;
    }
    return line;
}

std::wstring protected_from_trimming(std::wstring_view value) {
    // Generous: a value quoted without need still reads back as it was.
    auto blank = [](wchar_t c) { return c <= L' ' || c == L'\x3000'; };
    const bool enclosed = value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
                          value.back() == value.front();
    if (value.empty() || !(blank(value.front()) || blank(value.back()) || enclosed)) {
        return std::wstring(value);
    }
    return L"\"" + std::wstring(value) + L"\"";
}

}  // namespace vantero
