#include "settings/row_store.h"

#include "common/external_strings.h"
#include "settings/settings_file.h"

namespace vantero {
namespace {

constexpr const wchar_t* kDisplayTexts = external::kDisplayTextSection;
constexpr const wchar_t* kKeySequences = external::kKeySequenceSection;
constexpr const wchar_t* kRemarks = external::kRemarkSection;

}  // namespace

TargetRow read_row(const IniLocation& file, int row_index) {
    const std::wstring key = std::to_wstring(row_index);
    return {read_setting(file, kDisplayTexts, key, L""),
            stored_keys(read_setting(file, kKeySequences, key, L"")),
            read_setting(file, kRemarks, key, L"")};
}

DWORD write_row_keys(const IniLocation& file, int row_index, const std::wstring& display_text,
                     const std::optional<TargetKeys>& keys) {
    const std::wstring key = std::to_wstring(row_index);
    const DWORD error = write_setting(file, kDisplayTexts, key, display_text);
    return error != ERROR_SUCCESS ? error
                                  : write_setting(file, kKeySequences, key, stored_text(keys));
}

DWORD write_row_remark(const IniLocation& file, int row_index, const std::wstring& remark) {
    return write_setting(file, kRemarks, std::to_wstring(row_index), remark);
}

}  // namespace vantero
