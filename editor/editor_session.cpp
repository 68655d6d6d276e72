#include "editor/editor_session.h"

#include "common/rows.h"
#include "editor/editor_ids.h"

namespace vantero {
namespace {

// The key names are ASCII: each byte is one character.
std::wstring from_ascii(std::string_view text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace

void store_until_given_up(const SettingsWrite& write, const AskRetry& ask_retry) {
    for (;;) {
        const unsigned long error = write();
        if (error == 0 || !ask_retry(error)) return;
    }
}

bool EditorSession::open(int row_index) {
    if (row_index < 0 || row_index >= kRowCount) return false;
    row_ = row_index;
    model_.open(host_.row_keys(row_index));
    opened_remark_ = host_.row_remark(row_index);
    return true;
}

void EditorSession::save_keys() {
    if (!model_.changed()) return;
    if (const auto saved = model_.save()) {
        const std::wstring display = from_ascii(saved->display_text);
        host_.set_row_keys(row_, display, saved->keys);
        store_until_given_up([&] { return writes_.keys(row_, display, saved->keys); },
                             writes_.ask_retry);
    }
}

std::optional<std::wstring> EditorSession::save_remark(std::wstring_view typed,
                                                       const HoldsCharacter& holds) {
    const RemarkSave judged = judge_remark(typed, opened_remark_, holds);
    if (judged.action == RemarkSave::Action::refused) return judged.text;
    if (judged.action == RemarkSave::Action::store) {
        host_.set_row_remark(row_, judged.text);
        store_until_given_up([&] { return writes_.remark(row_, judged.text); }, writes_.ask_retry);
    }
    return std::nullopt;
}

EditorCommand editor_command(int control_id, int code, int& selector) {
    switch (control_id) {
        case editor_ids::kFirstKeyList:
        case editor_ids::kSecondKeyList:
        case editor_ids::kThirdKeyList:
            // A list closed without a pick may still have moved the shown entry: read it again.
            selector = control_id - editor_ids::kFirstKeyList;
            return code == kListPicked || code == kListClosedUp ? EditorCommand::read_pick
                                                                : EditorCommand::none;
        case editor_ids::kSaveKeysButton:
            return code == kButtonClicked ? EditorCommand::save_keys : EditorCommand::none;
        case editor_ids::kSaveRemarkButton:
            return code == kButtonClicked ? EditorCommand::save_remark : EditorCommand::none;
        case editor_ids::kCloseButton:
            return code == kButtonClicked ? EditorCommand::close : EditorCommand::none;
        default:
            return EditorCommand::none;
    }
}

}  // namespace vantero
