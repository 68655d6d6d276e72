#include "settings/row_store.h"

#include "common/external_strings.h"
#include "settings/settings_file.h"

namespace vantero {
namespace {

constexpr const wchar_t* kDisplayTexts = external::kDisplayTextSection;
constexpr const wchar_t* kKeySequences = external::kKeySequenceSection;
constexpr const wchar_t* kRemarks = external::kRemarkSection;

}  // namespace

StoredRow read_row(int row_index) {
    const std::wstring key = std::to_wstring(row_index);
    return {read_setting(kDisplayTexts, key, L""), read_setting(kKeySequences, key, L""),
            read_setting(kRemarks, key, L"")};
}

DWORD write_row_keys(int row_index, const std::wstring& display_text,
                     const std::wstring& key_sequence) {
    const std::wstring key = std::to_wstring(row_index);
    const DWORD error = write_setting(kDisplayTexts, key, display_text);
    return error != ERROR_SUCCESS ? error : write_setting(kKeySequences, key, key_sequence);
}

DWORD write_row_remark(int row_index, const std::wstring& remark) {
    return write_setting(kRemarks, std::to_wstring(row_index), remark);
}

}  // namespace vantero
