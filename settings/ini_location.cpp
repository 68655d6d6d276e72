#include "settings/ini_location.h"

#include <windows.h>

#include <vector>

#include "settings/ini_path.h"

namespace vantero {
namespace {

std::wstring folder_of(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // Keep the separator of a drive's root ("C:\") so the join sees it.
    return path.substr(0, slash == 2 && path[1] == L':' ? 3 : slash);
}

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
    const std::wstring folder = folder_of(without_extended_prefix(program_path));
    IniLocation location{join_ini_path(folder, file_name), {}};
    location.used = location.shown;
    if (location.shown.size() >= MAX_PATH) {
        const std::wstring folder_8_3 = short_folder(folder);
        if (!folder_8_3.empty()) location.used = join_ini_path(folder_8_3, file_name);
    }
    return location;
}

}  // namespace vantero
