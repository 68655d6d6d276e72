#include "settings/ini_path.h"

namespace vantero {

std::wstring join_ini_path(std::wstring_view folder, std::wstring_view file_name) {
    std::wstring path(folder);
    if (path.empty() || path.back() != L'\\') path += L'\\';
    path += file_name;
    return path;
}

}  // namespace vantero
