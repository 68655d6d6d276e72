#pragma once
// The editor's working state: three picked key names, turned into a row's display text
// ("Ctrl + A") and key-sequence string ("2|17|65") when saving.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vantero {

struct SavedKeys {
    std::string display_text;
    std::string key_sequence;
};

class EditorModel {
public:
    // Starts on a row's key-sequence string: its keys picked by name, in order (a key without a
    // name in the table, or an invalid string, leaves its selectors empty).
    void open(std::string_view key_sequence);
    // Whether any pick differs from what open() found.
    bool changed() const;

    // A pick in selector 0, 1 or 2; the empty name clears that selector's pieces.
    void pick(int selector, std::string_view name);

    // The name shown by a selector (empty when nothing or the empty entry is picked).
    const std::string& picked(int selector) const;

    // What saving keys writes, or nothing when the first selector is empty (nothing is saved).
    std::optional<SavedKeys> save() const;

private:
    struct Piece {
        std::string name;     // as shown in the selector
        std::string display;  // "Ctrl + " or empty
        std::string code;     // "17|" or empty
    };
    std::array<Piece, 3> pieces_;
    std::array<std::string, 3> opened_;
};

}  // namespace vantero
