#include "editor/editor_fonts.h"

#include "common/gdi_win.h"

namespace vantero {

EditorFonts make_editor_fonts(Scale scale) {
    constexpr const wchar_t* kFace = L"微软雅黑";
    EditorFonts fonts;
    fonts.title = make_font(kFace, 10.5, scale, true);
    fonts.text = make_font(kFace, 9, scale);
    fonts.plus = make_font(L"宋体", 12, scale);
    fonts.button = make_font(kFace, 18, scale, true);
    fonts.remark = make_font(kFace, 12, scale);
    return fonts;
}

}  // namespace vantero
