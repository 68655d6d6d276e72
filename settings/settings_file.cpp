#include "settings/settings_file.h"

#include "common/unique_handle.h"
#include "settings/held_file.h"
#include "settings/ini_value.h"

namespace vantero {
namespace {

// The bytes one character (a single unit or a surrogate pair) takes in the ANSI code page.
size_t ansi_bytes(std::wstring_view character) {
    return static_cast<size_t>(::WideCharToMultiByte(CP_ACP, 0, character.data(),
                                                     static_cast<int>(character.size()), nullptr, 0,
                                                     nullptr, nullptr));
}

// Whether the ANSI code page holds the character exactly: converted there and back unchanged.
bool ansi_holds(std::wstring_view character) {
    char bytes[8];
    wchar_t back[4];
    BOOL replaced = FALSE;
    const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, character.data(),
                                        static_cast<int>(character.size()), bytes, sizeof(bytes),
                                        nullptr, &replaced);
    const int m = n > 0 ? ::MultiByteToWideChar(CP_ACP, 0, bytes, n, back, 4) : 0;
    return n > 0 && !replaced && std::wstring_view(back, m) == character;
}

DWORD last_error_or_write_fault() {
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
}

RetryClock system_clock() {
    return {[] { return ::GetTickCount64(); }, [](unsigned long ms) { ::Sleep(ms); }};
}

DWORD write_once(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                 const std::wstring& value) {
    // Never handed over: Wine's profile functions report success for such a path and write a
    // file of a garbled name into the current folder.
    if (path.size() >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
    if (::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str())) {
        return ERROR_SUCCESS;
    }
    return last_error_or_write_fault();
}

}  // namespace

std::wstring read_setting(const IniLocation& file, std::wstring_view section, std::wstring_view key,
                          std::wstring_view default_value) {
    // Every character is at least one byte and at most two UTF-16 units: room for the longest cut.
    constexpr DWORD kBufferSize = 2 * kMaxValueBytes + 2;
    wchar_t buffer[kBufferSize] = {};
    const std::wstring fallback(default_value);
    const std::wstring& path = file.used;
    std::wstring_view value = fallback;
    if (path.size() < MAX_PATH) {
        const DWORD n =
            ::GetPrivateProfileStringW(one_line(section).c_str(), one_line(key).c_str(),
                                       fallback.c_str(), buffer, kBufferSize, path.c_str());
        value = std::wstring_view(buffer, n);
    }
    return std::wstring(fitting_bytes(value, kMaxValueBytes, ansi_bytes));
}

DWORD write_setting(const IniLocation& file, std::wstring_view section, std::wstring_view key,
                    std::wstring_view value) {
    const IniEntry entry = entry_as_written(section, key, value);
    return retry_while_held(
        [&] { return write_once(file.used, entry.section, entry.key, entry.value); },
        system_clock());
}

std::wstring characters_outside_code_page(std::wstring_view text) {
    return characters_not_held(text, ansi_holds);
}

DWORD check_settings_readable(const IniLocation& file) {
    const std::wstring& path = file.used;
    return retry_while_held(
        [&]() -> unsigned long {
            // Opened as the profile functions open it to read, so this fails exactly when they
            // would.
            const unique_file opened(::CreateFileW(path.c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            return opened ? ERROR_SUCCESS : judge_read_open(::GetLastError());
        },
        system_clock());
}

}  // namespace vantero
