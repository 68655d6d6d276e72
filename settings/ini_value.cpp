#include "settings/ini_value.h"

namespace vantero {
namespace {

bool high_surrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool low_surrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The units of the character that starts at text[at]: two for a surrogate pair, else one.
std::size_t character_units(std::wstring_view text, std::size_t at) {
    return high_surrogate(text[at]) && at + 1 < text.size() && low_surrogate(text[at + 1]) ? 2 : 1;
}

}  // namespace

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

IniEntry entry_as_written(std::wstring_view section, std::wstring_view key,
                          std::wstring_view value) {
    return {one_line(section), one_line(key), protected_from_trimming(one_line(value))};
}

std::wstring_view fitting_bytes(std::wstring_view text, std::size_t max_bytes,
                                const CharacterBytes& bytes_of) {
    std::size_t bytes = 0;
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t units = character_units(text, end);
        bytes += bytes_of(text.substr(end, units));
        if (bytes > max_bytes) break;
        end += units;
    }
    return text.substr(0, end);
}

std::wstring characters_not_held(std::wstring_view text, const HoldsCharacter& holds) {
    std::wstring outside;
    for (std::size_t at = 0; at < text.size();) {
        const std::wstring_view character = text.substr(at, character_units(text, at));
        at += character.size();
        if (!holds(character) && outside.find(character) == std::wstring::npos)
            outside += character;
    }
    return outside;
}

}  // namespace vantero
