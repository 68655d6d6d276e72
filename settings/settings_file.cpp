#include "settings/settings_file.h"

#include <functional>
#include <utility>

#include "common/unique_handle.h"
#include "settings/ini_location.h"
#include "settings/ini_value.h"

namespace vantero {
namespace {

// The single program-wide location, fixed once at start-up.
IniLocation& location() {
    static IniLocation fixed;
    return fixed;
}

// The bytes one character (a single unit or a surrogate pair) takes in the ANSI code page.
size_t ansi_bytes(std::wstring_view character) {
    return static_cast<size_t>(::WideCharToMultiByte(CP_ACP, 0, character.data(),
                                                     static_cast<int>(character.size()), nullptr, 0,
                                                     nullptr, nullptr));
}

// The longest start of text that fits in max_bytes of the ANSI code page, measured by whole
// characters so a cut never splits a double-byte character.
std::wstring_view ansi_prefix(std::wstring_view text, size_t max_bytes) {
    size_t bytes = 0;
    size_t end = 0;
    while (end < text.size()) {
        const bool pair = IS_HIGH_SURROGATE(text[end]) && end + 1 < text.size() &&
                          IS_LOW_SURROGATE(text[end + 1]);
        const size_t units = pair ? 2 : 1;
        bytes += ansi_bytes(text.substr(end, units));
        if (bytes > max_bytes) break;
        end += units;
    }
    return text.substr(0, end);
}

DWORD last_error_or_write_fault() {
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
}

// Runs attempt until it succeeds or fails for a reason other than another program holding the file
// (a virus scanner, an editor saving it), which is waited out for about two seconds.
DWORD retry_while_held(const std::function<DWORD()>& attempt) {
    constexpr ULONGLONG kRetryForMs = 2000;
    constexpr DWORD kRetryEveryMs = 100;
    const ULONGLONG start = ::GetTickCount64();
    for (;;) {
        const DWORD error = attempt();
        const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
        if (!held || ::GetTickCount64() - start >= kRetryForMs) return error;
        ::Sleep(kRetryEveryMs);
    }
}

DWORD write_once(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    const std::wstring& path = location().used;
    // Never handed over: Wine's profile functions report success for such a path and write a
    // file of a garbled name into the current folder.
    if (path.size() >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
    if (::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str())) {
        return ERROR_SUCCESS;
    }
    return last_error_or_write_fault();
}

}  // namespace

void use_settings_file(std::wstring_view file_name) {
    use_ini_location(locate_beside(program_path(), file_name));
}

const std::wstring& settings_file_path() {
    return location().shown;
}

const IniLocation& current_ini_location() {
    return location();
}

void use_ini_location(IniLocation fixed) {
    location() = std::move(fixed);
}

std::wstring read_setting(std::wstring_view section, std::wstring_view key,
                          std::wstring_view default_value) {
    // A value is what a 255-byte ANSI buffer holds: at most 254 bytes of the ANSI code page.
    constexpr size_t kMaxBytes = 254;
    // Every character is at least one byte and at most two UTF-16 units: room for the longest cut.
    constexpr DWORD kBufferSize = 2 * kMaxBytes + 2;
    wchar_t buffer[kBufferSize] = {};
    const std::wstring fallback(default_value);
    const std::wstring& path = location().used;
    std::wstring_view value = fallback;
    if (path.size() < MAX_PATH) {
        const DWORD n =
            ::GetPrivateProfileStringW(one_line(section).c_str(), one_line(key).c_str(),
                                       fallback.c_str(), buffer, kBufferSize, path.c_str());
        value = std::wstring_view(buffer, n);
    }
    return std::wstring(ansi_prefix(value, kMaxBytes));
}

DWORD write_setting(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    const std::wstring section_line = one_line(section);
    const std::wstring key_line = one_line(key);
    const std::wstring value_line = protected_from_trimming(one_line(value));
    return retry_while_held([&] { return write_once(section_line, key_line, value_line); });
}

std::wstring characters_outside_code_page(std::wstring_view text) {
    std::wstring outside;
    for (size_t at = 0; at < text.size();) {
        const size_t units =
            IS_HIGH_SURROGATE(text[at]) && at + 1 < text.size() && IS_LOW_SURROGATE(text[at + 1])
                ? 2
                : 1;
        const std::wstring_view character = text.substr(at, units);
        at += units;
        char bytes[8];
        wchar_t back[4];
        BOOL replaced = FALSE;
        const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, character.data(),
                                            static_cast<int>(units), bytes, sizeof(bytes), nullptr,
                                            &replaced);
        const int m = n > 0 ? ::MultiByteToWideChar(CP_ACP, 0, bytes, n, back, 4) : 0;
        const bool held = n > 0 && !replaced && std::wstring_view(back, m) == character;
        if (!held && outside.find(character) == std::wstring::npos) outside += character;
    }
    return outside;
}

DWORD check_settings_readable() {
    const std::wstring& path = location().used;
    return retry_while_held([&] {
        // Opened as the profile functions open it to read, so this fails exactly when they would.
        const unique_file file(::CreateFileW(path.c_str(), GENERIC_READ,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) return DWORD{ERROR_SUCCESS};
        const DWORD error = ::GetLastError();
        // Nothing stored yet: nothing to lose.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return DWORD{ERROR_SUCCESS};
        return error != ERROR_SUCCESS ? error : DWORD{ERROR_READ_FAULT};
    });
}

}  // namespace vantero
