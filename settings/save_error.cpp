#include "settings/save_error.h"

#include "common/unique_handle.h"
#include "settings/ini_location.h"

namespace vantero {
namespace {

struct local_memory_traits {
    using pointer = HLOCAL;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer memory) noexcept { ::LocalFree(memory); }
};

}  // namespace

std::wstring system_error_text(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const unique_handle<local_memory_traits> owner(text);
    std::wstring message(text ? text : L"", n);
    while (!message.empty() &&
           (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' ' ||
            message.back() == L'.' || message.back() == L'。')) {
        message.pop_back();
    }
    return message;
}

namespace {

bool is_folder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring reason_for(DWORD error, bool reading) {
    switch (error) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return L"文件正被其他程序占用。";
        case ERROR_ACCESS_DENIED:
            if (is_folder(current_ini_location().used)) return L"这个位置是一个同名的文件夹。";
            if (reading) return L"没有读取这个文件的权限。";
            return L"没有写入这个文件的权限（它可能是只读的）。";
        case ERROR_PATH_NOT_FOUND:
        case ERROR_FILE_NOT_FOUND:
            return L"找不到文件所在的文件夹。";
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return L"磁盘已满。";
        case ERROR_FILENAME_EXCED_RANGE:
            return L"路径太长。";
        default:
            return describe_system_error(error);
    }
}

}  // namespace

std::wstring describe_read_error(DWORD error) {
    return L"无法读取设置文件：\n" + current_ini_location().shown + L"\n\n原因：" +
           reason_for(error, true) +
           L"\n\n各行按设置文件为空显示。文件里已有的热键不会被改写，除非在这次运行中给那一行"
           L"重新设置热键。";
}

std::wstring describe_system_error(DWORD error) {
    const std::wstring message = system_error_text(error);
    return (message.empty() ? L"未知错误" : message) + L"（错误代码 " + std::to_wstring(error) +
           L"）。";
}

std::wstring describe_save_error(DWORD error) {
    return L"无法把设置保存到文件：\n" + current_ini_location().shown + L"\n\n原因：" +
           reason_for(error, false);
}

}  // namespace vantero
