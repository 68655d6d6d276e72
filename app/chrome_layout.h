#pragma once
// The main window's frame: where its labels, buttons, links and headings sit over the skin
// (pixels at 96 dpi), and what a point of the client area falls on at a scale.
#include "common/geometry.h"

namespace vantero {

enum class ChromeHit {
    skin,
    title_label,
    hide_button,
    exit_area,
    home_link,
    product_link,
    outside
};

namespace chrome {

inline constexpr Size kSkinSize{809, 589};
inline constexpr Size kHideButtonSize{23, 23};
inline constexpr Rect kSkin = rect_of(0, 0, 809, 589);
inline constexpr Rect kTitle = rect_of(379, 14, 87, 23);        // "Vantero" in the title tab
inline constexpr Rect kMaker = rect_of(258, 17, 62, 17);        // the maker's name in the tab
inline constexpr Rect kSlogan = rect_of(294, 58, 329, 25);      // the maker's slogan
inline constexpr Rect kHideButton = rect_of(759, 28, 23, 23);   // hides the window to the tray
inline constexpr Rect kExitArea = rect_of(779, 27, 26, 23);     // ends the program
inline constexpr Rect kHomeLink = rect_of(46, 62, 57, 19);      // "官方网站"
inline constexpr Rect kProductLink = rect_of(146, 63, 57, 20);  // "使用介绍"
inline constexpr Rect kGreen[] = {rect_of(53, 193, 154, 26), rect_of(50, 242, 154, 26),
                                  rect_of(51, 288, 154, 26), rect_of(52, 336, 154, 26)};

struct Heading {
    const wchar_t* text;
    int left_twips;  // the headings line up with the rows' columns, which the layout gives in twips
};
inline constexpr Heading kHeadings[] = {
    {L"新的热键 *", 3690}, {L"旧的热键 *", 5790}, {L"备注", 7680}, {L"是否运行 *", 9525}};

// A column heading's box at a scale.
constexpr Rect heading_box(const Heading& heading, Scale scale) {
    Rect box = scaled(rect_of(0, 120, 110, 18), scale);
    box.left += scale.twips(heading.left_twips);
    box.right += scale.twips(heading.left_twips);
    return box;
}

}  // namespace chrome

// What lies under a point of the client area, with the frame drawn at that scale.
ChromeHit chrome_hit_test(Point at, Scale scale);
// Pressing the skin or a title label drags the window.
constexpr bool drags_window(ChromeHit hit) {
    return hit == ChromeHit::skin || hit == ChromeHit::title_label;
}
// The buttons and links: a hand over them, and a press let go over the same one clicks it.
constexpr bool is_clickable(ChromeHit hit) {
    return hit != ChromeHit::outside && !drags_window(hit);
}

}  // namespace vantero
