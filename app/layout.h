#pragma once
// Where the main window's rows sit, in twips, and its size: both follow the screen's resolution.
#include <array>

#include "common/geometry.h"
#include "common/rows.h"

namespace vantero::layout {

inline constexpr int kClientWidthTwips = 12210;  // 814 pixels at 96 dpi
inline constexpr int kClientHeightTwips = 8865;  // 591

constexpr Size client_size(Scale scale) {
    return {scale.twips(kClientWidthTwips), scale.twips(kClientHeightTwips)};
}

struct RowTops {
    int hotkey, target, remark, check;  // twips
};
inline constexpr std::array<RowTops, kRowCount> kRowTops = {{
    {2325, 2310, 2310, 2250},
    {2925, 2925, 2910, 2865},
    {3555, 3540, 3555, 3510},
    {4155, 4155, 4125, 4065},
    {4755, 4740, 4770, 4695},
    {5370, 5370, 5325, 5340},
    {5970, 5985, 5955, 5970},
    {6570, 6585, 6600, 6555},
    {7200, 7185, 7200, 7155},
}};

// A control's place from its left, top, width and height in twips, each converted on its own as
// the layout gives them.
constexpr Rect hotkey_box(int k, Scale scale) {
    return twips_rect(scale, 3735, kRowTops[k].hotkey, 1695, 300);
}
constexpr Rect target_box(int k, Scale scale) {
    return twips_rect(scale, 5835, kRowTops[k].target, 1695, 300);
}
constexpr Rect remark_box(int k, Scale scale) {
    return twips_rect(scale, 7740, kRowTops[k].remark, 1395, 360);
}
constexpr Rect check_box(int k, Scale scale) {
    return twips_rect(scale, 9600, kRowTops[k].check, 975, 375);
}
// The band a row's text sits on: the height of its text boxes.
constexpr int text_band(Scale scale) {
    return scale.twips(300);
}

}  // namespace vantero::layout
