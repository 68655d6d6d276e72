#pragma once
// What the user is told when set.ini cannot be written or read: which file and why, in Chinese.
// Error numbers are the system's; its own words for an unknown one are passed in.
#include <string>
#include <string_view>

namespace vantero {

// The system's error numbers these messages tell apart.
namespace system_error {
inline constexpr unsigned long kFileNotFound = 2;
inline constexpr unsigned long kPathNotFound = 3;
inline constexpr unsigned long kAccessDenied = 5;
inline constexpr unsigned long kReadFault = 30;
inline constexpr unsigned long kSharingViolation = 32;
inline constexpr unsigned long kLockViolation = 33;
inline constexpr unsigned long kHandleDiskFull = 39;
inline constexpr unsigned long kDiskFull = 112;
inline constexpr unsigned long kFilenameTooLong = 206;
}  // namespace system_error

// Another program holds the file for a moment (a virus scanner, an editor saving it).
bool held_by_another_program(unsigned long error);

// What is known of a failure: its number, whether the file's place is a folder, and the system's
// text for the number (empty when it has none).
struct FailureFacts {
    unsigned long error = 0;
    bool place_is_folder = false;
    std::wstring system_text;
};

// "拒绝访问（错误代码 5）。", or "未知错误（错误代码 n）。" without the system's text.
std::wstring system_error_words(unsigned long error, std::wstring_view system_text);

// A failed write and a failed read at start-up of the file at path.
std::wstring save_failure_message(std::wstring_view path, const FailureFacts& facts);
std::wstring read_failure_message(std::wstring_view path, const FailureFacts& facts);

}  // namespace vantero
