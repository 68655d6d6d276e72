#include "app/row_start.h"

namespace vantero {
namespace {

const wchar_t* reason_text(RowRefusal reason) {
    switch (reason) {
        case RowRefusal::no_trigger:
            return L"没有设置触发热键";
        case RowRefusal::unnamed_trigger:
            return L"触发热键不是可用的按键";
        case RowRefusal::no_target:
            return L"没有设置要发送的按键";
        case RowRefusal::needs_confirmation:
            return L"触发热键是打字用的键，需要重新确认";
        case RowRefusal::registration_refused:
            return L"热键已被其他程序占用";
        case RowRefusal::none:
            break;
    }
    return L"";
}

}  // namespace

RowRefusal check_row_start(const RowFacts& row) {
    if (row.trigger_key == 0) return RowRefusal::no_trigger;
    if (!row.trigger_named) return RowRefusal::unnamed_trigger;
    if (!row.target_valid) return RowRefusal::no_target;
    if (row.typing_trigger && !row.typing_confirmed) return RowRefusal::needs_confirmation;
    return RowRefusal::none;
}

std::wstring describe_rows_not_started(const std::vector<RowNotStarted>& rows) {
    std::wstring text;
    for (const RowNotStarted& row : rows) {
        if (row.reason == RowRefusal::none) continue;
        if (!text.empty()) text += L'\n';
        text += L"第 " + std::to_wstring(row.row_number) + L" 行：" + reason_text(row.reason);
    }
    return text;
}

}  // namespace vantero
