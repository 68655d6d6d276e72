#pragma once
// Where the main window's rows and chrome sit (pixels at 96 dpi).
#include <windows.h>

#include <array>

#include "common/gdi_win.h"
#include "common/rows.h"

namespace vantero::layout {

inline constexpr int kClientWidth = twips(12210);  // 814
inline constexpr int kClientHeight = twips(8865);  // 591

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

inline RECT twips_rect(int left, int top, int width, int height) {
    return {twips(left), twips(top), twips(left) + twips(width), twips(top) + twips(height)};
}
inline RECT hotkey_box(int k) {
    return twips_rect(3735, kRowTops[k].hotkey, 1695, 300);
}
inline RECT target_box(int k) {
    return twips_rect(5835, kRowTops[k].target, 1695, 300);
}
inline RECT remark_box(int k) {
    return twips_rect(7740, kRowTops[k].remark, 1395, 360);
}
inline RECT check_box(int k) {
    return twips_rect(9600, kRowTops[k].check, 975, 375);
}

inline RECT px_rect(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

}  // namespace vantero::layout
