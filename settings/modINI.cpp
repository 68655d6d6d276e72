#include "settings/modINI.h"

#include <windows.h>

#include <vector>

#include "common/text_win.h"
#include "settings/ini_path.h"

namespace vantero {
namespace {

// The single program-wide path, fixed once at start-up.
std::wstring& ini_path() {
    static std::wstring path;
    return path;
}

std::wstring program_folder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            std::wstring path(buffer.data(), n);
            const size_t slash = path.find_last_of(L"\\/");
            if (slash == std::wstring::npos) return {};
            // Keep the separator of a drive's root ("C:\") so the join sees it.
            return path.substr(0, slash == 2 && path[1] == L':' ? 3 : slash);
        }
        buffer.resize(buffer.size() * 2);
    }
}

// A read cut at the buffer's end may split a double-byte character; drop the dangling
// lead byte rather than hand back a broken character.
size_t whole_characters(const char* text, size_t length) {
    size_t i = 0;
    while (i < length) {
        const size_t step = ::IsDBCSLeadByte(static_cast<BYTE>(text[i])) ? 2 : 1;
        if (i + step > length) break;
        i += step;
    }
    return i;
}

}  // namespace

void SetIniPath(std::wstring_view file_name) { ini_path() = join_ini_path(program_folder(), file_name); }

const std::wstring& IniPath() { return ini_path(); }

std::wstring GetINI(std::wstring_view section, std::wstring_view key, std::wstring_view default_value) {
    constexpr DWORD kBufferSize = 255;
    char buffer[kBufferSize] = {};
    const DWORD n = ::GetPrivateProfileStringA(to_ansi(section).c_str(), to_ansi(key).c_str(),
                                               to_ansi(default_value).c_str(), buffer, kBufferSize,
                                               to_ansi(ini_path()).c_str());
    if ((n & 0xFFFF) == 0) return {};
    size_t length = 0;
    while (length < kBufferSize && buffer[length] != '\0') ++length;
    return from_ansi(std::string_view(buffer, whole_characters(buffer, length)));
}

void WriteINI(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    ::WritePrivateProfileStringA(to_ansi(section).c_str(), to_ansi(key).c_str(), to_ansi(value).c_str(),
                                 to_ansi(ini_path()).c_str());
}

}  // namespace vantero
