#pragma once
// What the editor writes back into the main window, and reads from it.
#include <optional>
#include <string>

#include "common/key_sequence.h"

namespace vantero {

class EditorHost {
public:
    virtual ~EditorHost() = default;
    // target_box(k).Text and target_box(k).tooltip_text.
    virtual void set_row_keys(int row_index, const std::wstring& display_text,
                              const std::optional<TargetKeys>& keys) = 0;
    // remark_label(k).Caption.
    virtual void set_row_remark(int row_index, const std::wstring& remark) = 0;
    // What a row holds now: the editor opens on it.
    virtual const std::optional<TargetKeys>& row_keys(int row_index) const = 0;
    virtual std::wstring row_remark(int row_index) const = 0;
    // Makes the main window visible again.
    virtual void show_main() = 0;
};

}  // namespace vantero
