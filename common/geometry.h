#pragma once
// Points, sizes and rectangles of the layouts, in pixels, and how they follow a resolution. The
// windows' code turns them into the system's types where it calls the system.
#include "common/scale.h"

namespace vantero {

struct Point {
    int x = 0;
    int y = 0;
    constexpr bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    constexpr bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    // Left and top edges inside, right and bottom outside, as the system counts them.
    constexpr bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr bool operator==(const Rect&) const = default;
};

// A rectangle from its left, top, width and height.
constexpr Rect rect_of(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// A rectangle of a 96-dpi layout at a scale: its corner and its size each scaled, so equal sizes
// stay equal wherever they sit.
constexpr Rect scaled(const Rect& at_96_dpi, Scale scale) {
    return rect_of(scale.px(at_96_dpi.left), scale.px(at_96_dpi.top), scale.px(at_96_dpi.width()),
                   scale.px(at_96_dpi.height()));
}

// Where a window of that size goes in an area (the screen's work area): centred, but where the
// area is too small its top-left corner, with the title and the exit, stays inside.
constexpr Point centred(const Rect& area, Size size) {
    const int x = area.left + (area.width() - size.width) / 2;
    const int y = area.top + (area.height() - size.height) / 2;
    return {x < area.left ? area.left : x, y < area.top ? area.top : y};
}

// A place given in twips (left, top, width, height), each converted on its own.
constexpr Rect twips_rect(Scale scale, int left, int top, int width, int height) {
    return rect_of(scale.twips(left), scale.twips(top), scale.twips(width), scale.twips(height));
}

}  // namespace vantero
