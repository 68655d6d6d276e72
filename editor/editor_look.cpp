#include "editor/editor_look.h"

#include "common/gdi_win.h"

namespace vantero {

EditorFonts make_editor_fonts(int dpi) {
    constexpr const wchar_t* kFace = L"微软雅黑";
    EditorFonts fonts;
    fonts.title = make_font(kFace, 10.5, dpi, true);
    fonts.text = make_font(kFace, 9, dpi);
    fonts.plus = make_font(L"宋体", 12, dpi);
    fonts.button = make_font(kFace, 18, dpi, true);
    fonts.remark = make_font(kFace, 12, dpi);
    return fonts;
}

}  // namespace vantero
