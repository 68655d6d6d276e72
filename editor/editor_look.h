#pragma once
// Where the editor's controls sit (pixels at 96 dpi), their colours, texts and fonts.
#include <windows.h>

#include "common/external_strings.h"
#include "common/unique_handle.h"
#include "editor/editor_model.h"

namespace vantero::editor_look {

constexpr RECT px(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

inline constexpr int kWidth = 547;
inline constexpr int kHeight = 280;
inline constexpr POINT kSkinAt{7, -2};
inline constexpr SIZE kSkinSize{539, 276};

inline constexpr COLORREF kButtonBack = RGB(64, 64, 64);
inline constexpr COLORREF kButtonPressed = RGB(40, 40, 40);
inline constexpr COLORREF kPanelBack = RGB(29, 21, 13);
inline constexpr COLORREF kHintGreen = RGB(0, 192, 0);
inline constexpr COLORREF kRemarkBack = RGB(192, 64, 0);

// On the window.
inline constexpr RECT kTitleBox = px(252, 12, 35, 23);         // title
inline constexpr RECT kCloseButton = px(425, 6, 23, 21);       // close picture
inline constexpr RECT kWhatMayBeSetBox = px(49, 74, 431, 16);  // what may be set
inline constexpr RECT kFirstKeyList = px(49, 105, 121, 25);
inline constexpr RECT kFirstPlus = px(174, 109, 20, 20);
inline constexpr RECT kSecondKeyList = px(198, 106, 121, 25);
inline constexpr RECT kSecondPlus = px(325, 107, 20, 20);
inline constexpr RECT kThirdKeyList = px(348, 106, 137, 25);
inline constexpr RECT kDivider = px(59, 130, 406, 4);  // divider
inline constexpr RECT kSaveKeysButton = px(54, 199, 409, 37);
inline constexpr RECT kRemarkPanel = px(44, 68, 467, 175);
// On the remark panel.
inline constexpr RECT kRemarkHintBox = px(128, 17, 176, 24);  // hint
inline constexpr RECT kRemarkBox = px(120, 46, 187, 27);
inline constexpr RECT kSaveRemarkButton = px(115, 88, 194, 32);

inline constexpr const wchar_t* kTitle = external::kEditorCaption;
inline constexpr const wchar_t* kWhatMayBeSet = L"可以设置一个按键 两个组合键 或者三个组合键";
inline constexpr const wchar_t* kSave = L"添加";
inline constexpr const wchar_t* kHint = L"长度不能超过7个字";
inline constexpr int kMaxRemarkLength = static_cast<int>(vantero::kMaxRemarkLength);

inline constexpr int kListRows = 12;  // entries shown by a dropped list

}  // namespace vantero::editor_look

namespace vantero {

struct EditorFonts {
    unique_gdi_object title;   // 10.5 pt bold
    unique_gdi_object text;    // 9 pt: hints and selectors
    unique_gdi_object plus;    // "宋体" 12 pt
    unique_gdi_object button;  // 18 pt bold
    unique_gdi_object remark;  // 12 pt
};

EditorFonts make_editor_fonts(int dpi);

inline HFONT font_of(const unique_gdi_object& font) {
    return static_cast<HFONT>(font.get());
}

}  // namespace vantero
