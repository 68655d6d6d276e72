#pragma once
// Where the editor's controls sit (pixels at 96 dpi), their colours and texts.
#include "common/external_strings.h"
#include "common/geometry.h"
#include "common/palette.h"
#include "editor/editor_model.h"

namespace vantero::editor_look {

constexpr Rect px(int left, int top, int width, int height) {
    return rect_of(left, top, width, height);
}

inline constexpr int kWidth = 547;
inline constexpr int kHeight = 280;
inline constexpr Point kSkinAt{7, -2};
inline constexpr Size kSkinSize{539, 276};

inline constexpr Colour kButtonBack = rgb(64, 64, 64);
inline constexpr Colour kButtonPressed = rgb(40, 40, 40);
inline constexpr Colour kPanelBack = rgb(29, 21, 13);
inline constexpr Colour kHintGreen = rgb(0, 192, 0);
inline constexpr Colour kRemarkBack = rgb(192, 64, 0);

// On the window.
inline constexpr Rect kTitleBox = px(252, 12, 35, 23);         // title
inline constexpr Rect kCloseButton = px(425, 6, 23, 21);       // close picture
inline constexpr Rect kWhatMayBeSetBox = px(49, 74, 431, 16);  // what may be set
inline constexpr Rect kFirstKeyList = px(49, 105, 121, 25);
inline constexpr Rect kFirstPlus = px(174, 109, 20, 20);
inline constexpr Rect kSecondKeyList = px(198, 106, 121, 25);
inline constexpr Rect kSecondPlus = px(325, 107, 20, 20);
inline constexpr Rect kThirdKeyList = px(348, 106, 137, 25);
inline constexpr Rect kDivider = px(59, 130, 406, 4);  // divider
inline constexpr Rect kSaveKeysButton = px(54, 199, 409, 37);
inline constexpr Rect kRemarkPanel = px(44, 68, 467, 175);
// On the remark panel.
inline constexpr Rect kRemarkHintBox = px(128, 17, 176, 24);  // hint
inline constexpr Rect kRemarkBox = px(120, 46, 187, 27);
inline constexpr Rect kSaveRemarkButton = px(115, 88, 194, 32);

inline constexpr const wchar_t* kTitle = external::kEditorCaption;
inline constexpr const wchar_t* kWhatMayBeSet = L"可以设置一个按键 两个组合键 或者三个组合键";
inline constexpr const wchar_t* kSave = L"添加";
inline constexpr const wchar_t* kHint = L"长度不能超过7个字";
inline constexpr int kMaxRemarkLength = static_cast<int>(vantero::kMaxRemarkLength);

inline constexpr int kListRows = 12;  // entries shown by a dropped list

}  // namespace vantero::editor_look
