#include "editor/editor_look.h"

#include "common/gdi_win.h"

namespace vantero {

EditorFonts make_editor_fonts() {
    constexpr const wchar_t* kFace = L"微软雅黑";
    EditorFonts fonts;
    fonts.title = make_font(kFace, 10.5, true);
    fonts.text = make_font(kFace, 9);
    fonts.plus = make_font(L"宋体", 12);
    fonts.button = make_font(kFace, 18, true);
    fonts.remark = make_font(kFace, 12);
    return fonts;
}

}  // namespace vantero
