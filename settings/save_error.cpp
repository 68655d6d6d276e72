#include "settings/save_error.h"

#include "common/unique_handle.h"
#include "settings/failure_message.h"
#include "settings/held_file.h"

namespace vantero {
namespace {

struct local_memory_traits {
    using pointer = HLOCAL;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer memory) noexcept { ::LocalFree(memory); }
};

bool is_folder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FailureFacts facts_of(const IniLocation& file, DWORD error) {
    return {error, error == ERROR_ACCESS_DENIED && is_folder(file.used), system_error_text(error)};
}

}  // namespace

std::wstring system_error_text(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const unique_handle<local_memory_traits> owner(text);
    return trimmed_system_text(std::wstring(text ? text : L"", n));
}

std::wstring describe_system_error(DWORD error) {
    return system_error_words(error, system_error_text(error));
}

std::wstring describe_save_error(const IniLocation& file, DWORD error) {
    return save_failure_message(file.shown, facts_of(file, error));
}

std::wstring describe_read_error(const IniLocation& file, DWORD error) {
    return read_failure_message(file.shown, facts_of(file, error));
}

}  // namespace vantero
