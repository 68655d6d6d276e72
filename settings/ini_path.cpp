#include "settings/ini_path.h"

namespace vantero {
namespace {

constexpr std::wstring_view kExtended = L"\\\\?\\";
constexpr std::wstring_view kExtendedUnc = L"\\\\?\\UNC\\";

}  // namespace

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
