#pragma once
// The editor's fonts, made at the editor's scale.
#include <windows.h>

#include "common/scale.h"
#include "common/unique_handle.h"

namespace vantero {

struct EditorFonts {
    unique_gdi_object title;   // 10.5 pt bold
    unique_gdi_object text;    // 9 pt: hints and selectors
    unique_gdi_object plus;    // "宋体" 12 pt
    unique_gdi_object button;  // 18 pt bold
    unique_gdi_object remark;  // 12 pt
};

EditorFonts make_editor_fonts(Scale scale);

inline HFONT font_of(const unique_gdi_object& font) {
    return static_cast<HFONT>(font.get());
}

}  // namespace vantero
