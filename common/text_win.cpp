#include "common/text_win.h"

#include <windows.h>

namespace vantero {
namespace {

std::wstring to_wide(UINT code_page, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = ::MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(code_page, 0, text.data(), size, out.data(), n);
    return out;
}

std::string to_bytes(UINT code_page, std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n =
        ::WideCharToMultiByte(code_page, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(code_page, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring widen(std::string_view utf8) {
    return to_wide(CP_UTF8, utf8);
}
std::string narrow(std::wstring_view wide) {
    return to_bytes(CP_UTF8, wide);
}

}  // namespace vantero
