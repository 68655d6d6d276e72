#include "settings/ini_location.h"

#include <windows.h>

#include <vector>

#include "settings/ini_path.h"

namespace vantero {
namespace {

std::wstring short_form_of(const std::wstring& path) {
    const DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring short_path(size, L'\0');
    const DWORD n = ::GetShortPathNameW(path.c_str(), short_path.data(), size);
    if (n == 0 || n >= size) return {};
    short_path.resize(n);
    return short_path;
}

// Windows needs the "\\?\" form to look at a path this long; Wine takes it either way.
std::wstring short_folder(const std::wstring& folder) {
    std::wstring short_path = short_form_of(folder);
    if (short_path.empty()) short_path = short_form_of(with_extended_prefix(folder));
    return without_extended_prefix(short_path);
}

}  // namespace

std::wstring program_path() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return std::wstring(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

IniLocation locate_beside(std::wstring_view program_path, std::wstring_view file_name) {
    return locate_in_folder_of(program_path, file_name, short_folder);
}

}  // namespace vantero
