#include "editor/editor_model.h"

#include "common/key_sequence.h"
#include "editor/key_names.h"

namespace vantero {

namespace {

bool valid_selector(int selector) {
    return selector >= 0 && selector < 3;
}

}  // namespace

void EditorModel::open(std::string_view key_sequence) {
    const auto keys = parse_key_sequence(key_sequence);
    for (int selector = 0; selector < 3; ++selector) {
        const auto index = static_cast<std::size_t>(selector);
        std::optional<std::string> name;
        if (keys && index < keys->size()) name = key_name((*keys)[index]);
        pick(selector, name.value_or(""));
        opened_[index] = pieces_[index].name;
    }
}

bool EditorModel::changed() const {
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        if (pieces_[i].name != opened_[i]) return true;
    }
    return false;
}

void EditorModel::pick(int selector, std::string_view name) {
    if (!valid_selector(selector)) return;
    Piece& piece = pieces_[static_cast<std::size_t>(selector)];
    piece.name = std::string(name);
    if (name.empty()) {
        piece.display.clear();
        piece.code.clear();
        return;
    }
    auto code = key_code_of(name);
    piece.code = (code ? std::to_string(*code) : std::string()) + "|";
    piece.display = piece.name + " + ";
}

const std::string& EditorModel::picked(int selector) const {
    static const std::string kNone;
    if (!valid_selector(selector)) return kNone;
    return pieces_[static_cast<std::size_t>(selector)].name;
}

std::optional<SavedKeys> EditorModel::save() const {
    if (pieces_[0].name.empty()) return std::nullopt;

    std::string display;
    std::string codes;
    int count = 0;
    for (const Piece& piece : pieces_) {
        display += piece.display;
        codes += piece.code;
        if (!piece.code.empty()) ++count;
    }
    // Each piece ends with its separator; the last one must not stay.
    constexpr std::string_view kJoin = " + ";
    if (display.ends_with(kJoin)) display.resize(display.size() - kJoin.size());
    if (codes.ends_with('|')) codes.pop_back();

    return SavedKeys{display, std::to_string(count) + "|" + codes};
}

}  // namespace vantero
