#include "settings/ini_path.h"

namespace vantero {
namespace {

constexpr std::wstring_view kExtended = L"\\\\?\\";
constexpr std::wstring_view kExtendedUnc = L"\\\\?\\UNC\\";

std::wstring folder_of(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // Keep the separator of a drive's root ("C:\") so the join sees it.
    return path.substr(0, slash == 2 && path[1] == L':' ? 3 : slash);
}

}  // namespace

IniLocation locate_in_folder_of(std::wstring_view program_path, std::wstring_view file_name,
                                const ShortFolder& short_folder) {
    const std::wstring folder = folder_of(without_extended_prefix(program_path));
    IniLocation location{join_ini_path(folder, file_name), {}};
    location.used = location.shown;
    if (location.shown.size() >= kMaxProfilePath) {
        const std::wstring folder_8_3 = short_folder(folder);
        if (!folder_8_3.empty()) location.used = join_ini_path(folder_8_3, file_name);
    }
    return location;
}

std::wstring join_ini_path(std::wstring_view folder, std::wstring_view file_name) {
    std::wstring path(folder);
    if (path.empty() || path.back() != L'\\') path += L'\\';
    path += file_name;
    return path;
}

std::wstring without_extended_prefix(std::wstring_view path) {
    if (path.starts_with(kExtendedUnc))
        return L"\\\\" + std::wstring(path.substr(kExtendedUnc.size()));
    if (path.starts_with(kExtended)) return std::wstring(path.substr(kExtended.size()));
    return std::wstring(path);
}

std::wstring with_extended_prefix(std::wstring_view path) {
    if (path.starts_with(kExtended)) return std::wstring(path);
    if (path.starts_with(L"\\\\")) return std::wstring(kExtendedUnc) + std::wstring(path.substr(2));
    return std::wstring(kExtended) + std::wstring(path);
}

}  // namespace vantero
