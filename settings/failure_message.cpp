#include "settings/failure_message.h"

namespace vantero {
namespace {

std::wstring reason_for(const FailureFacts& facts, bool reading) {
    using namespace system_error;
    switch (facts.error) {
        case kSharingViolation:
        case kLockViolation:
            return L"文件正被其他程序占用。";
        case kAccessDenied:
            if (facts.place_is_folder) return L"这个位置是一个同名的文件夹。";
            if (reading) return L"没有读取这个文件的权限。";
            return L"没有写入这个文件的权限（它可能是只读的）。";
        case kPathNotFound:
        case kFileNotFound:
            return L"找不到文件所在的文件夹。";
        case kDiskFull:
        case kHandleDiskFull:
            return L"磁盘已满。";
        case kFilenameTooLong:
            return L"路径太长。";
        default:
            return system_error_words(facts.error, facts.system_text);
    }
}

}  // namespace

bool held_by_another_program(unsigned long error) {
    return error == system_error::kSharingViolation || error == system_error::kLockViolation;
}

std::wstring system_error_words(unsigned long error, std::wstring_view system_text) {
    return (system_text.empty() ? std::wstring(L"未知错误") : std::wstring(system_text)) +
           L"（错误代码 " + std::to_wstring(error) + L"）。";
}

std::wstring save_failure_message(std::wstring_view path, const FailureFacts& facts) {
    return L"无法把设置保存到文件：\n" + std::wstring(path) + L"\n\n原因：" +
           reason_for(facts, false);
}

std::wstring read_failure_message(std::wstring_view path, const FailureFacts& facts) {
    return L"无法读取设置文件：\n" + std::wstring(path) + L"\n\n原因：" + reason_for(facts, true) +
           L"\n\n各行按设置文件为空显示。文件里已有的热键不会被改写，除非在这次运行中给那一行"
           L"重新设置热键。";
}

}  // namespace vantero
