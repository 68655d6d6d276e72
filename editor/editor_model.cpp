#include "editor/editor_model.h"

#include <vector>

#include "editor/key_names.h"

namespace vantero {

namespace {

bool valid_selector(int selector) {
    return selector >= 0 && selector < 3;
}

}  // namespace

void EditorModel::open(const std::optional<TargetKeys>& keys) {
    for (std::size_t index = 0; index < picks_.size(); ++index) {
        std::optional<std::string> name;
        if (keys && index < keys->codes().size()) name = key_name(keys->codes()[index]);
        picks_[index] = name.value_or("");
        opened_[index] = picks_[index];
    }
}

bool EditorModel::changed() const {
    return picks_ != opened_;
}

void EditorModel::pick(int selector, std::string_view name) {
    if (valid_selector(selector)) picks_[static_cast<std::size_t>(selector)] = std::string(name);
}

const std::string& EditorModel::picked(int selector) const {
    static const std::string kNone;
    if (!valid_selector(selector)) return kNone;
    return picks_[static_cast<std::size_t>(selector)];
}

std::optional<SavedKeys> EditorModel::save() const {
    if (picks_[0].empty()) return std::nullopt;

    SavedKeys saved;
    std::vector<std::uint8_t> codes;
    bool every_name_known = true;
    for (const std::string& name : picks_) {
        if (name.empty()) continue;  // a selector left empty is skipped
        if (!saved.display_text.empty()) saved.display_text += " + ";
        saved.display_text += name;
        const auto code = key_code_of(name);
        every_name_known = every_name_known && code.has_value();
        if (code) codes.push_back(*code);
    }
    if (every_name_known) saved.keys = TargetKeys::of(std::move(codes));
    return saved;
}

RemarkSave judge_remark(std::wstring_view typed, std::wstring_view opened,
                        const HoldsCharacter& holds) {
    std::wstring remark = one_line(typed);
    if (remark == opened) return {RemarkSave::Action::unchanged, std::move(remark)};
    // The box's own limit does not hold for text another program sets (WM_SETTEXT), and the file
    // keeps only its code page.
    std::wstring refusal;
    if (remark.size() > kMaxRemarkLength) {
        refusal = L"备注最多" + std::to_wstring(kMaxRemarkLength) + L"个字，这条有" +
                  std::to_wstring(remark.size()) + L"个字。";
    }
    if (const std::wstring outside = characters_not_held(remark, holds); !outside.empty()) {
        if (!refusal.empty()) refusal += L"\n\n";
        refusal += L"设置文件存不下这些字符：" + outside + L"\n请换成别的字。";
    }
    if (!refusal.empty()) return {RemarkSave::Action::refused, std::move(refusal)};
    return {RemarkSave::Action::store, std::move(remark)};
}

}  // namespace vantero
