#pragma once
// The editor's decisions: three picked key names turned into a row's display text ("Ctrl + A")
// and target keys when saving, and whether a typed remark is saved, kept as it was or refused.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/key_sequence.h"
#include "settings/ini_value.h"

namespace vantero {

// The remark box takes this many characters, as its hint says.
inline constexpr std::size_t kMaxRemarkLength = 7;

struct SavedKeys {
    std::string display_text;
    // Nothing when a picked name has no code (no list offers one): the row then cannot be ticked.
    std::optional<TargetKeys> keys;
};

class EditorModel {
public:
    // Starts on a row's target keys: their names picked, in order (a key without a name in the
    // table, or a row without valid keys, leaves its selectors empty).
    void open(const std::optional<TargetKeys>& keys);
    // Whether any pick differs from what open() found.
    bool changed() const;

    // A pick in selector 0, 1 or 2; the empty name clears that selector's pieces.
    void pick(int selector, std::string_view name);

    // The name shown by a selector (empty when nothing or the empty entry is picked).
    const std::string& picked(int selector) const;

    // What saving keys writes, or nothing when the first selector is empty (nothing is saved).
    std::optional<SavedKeys> save() const;

private:
    std::array<std::string, 3> picks_;
    std::array<std::string, 3> opened_;
};

// What saving a typed remark does. The remark is kept as the file will hold it (one line), so
// the row shows what the next start shows.
struct RemarkSave {
    enum class Action {
        unchanged,  // as the row holds it (a longer one stored earlier stays): nothing written
        refused,    // text is the reason, for the user; the editor stays open on the remark
        store,      // text is the remark for the row and the file; an empty one too
    };
    Action action;
    std::wstring text;
};
// typed: the remark box's text, which another program may have set past the box's limit;
// opened: what the row held; holds: whether the file's code page holds a character.
RemarkSave judge_remark(std::wstring_view typed, std::wstring_view opened,
                        const HoldsCharacter& holds);

}  // namespace vantero
