#pragma once
// Small GDI helpers shared by the program's skinned windows.
#include <windows.h>

#include <string_view>

#include "common/geometry.h"
#include "common/scale.h"
#include "common/unique_handle.h"

namespace vantero {

// ClearType for the skinned windows' own texts; the system's default for the hotkey boxes,
// which have always drawn that way.
enum class FontQuality { cleartype, system_default };

// A font of the given face and size in points, at the given scale.
unique_gdi_object make_font(std::wstring_view face, double points, Scale scale, bool bold = false,
                            FontQuality quality = FontQuality::cleartype);

inline RECT to_rect(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}
inline Point point_of(POINT p) {
    return {p.x, p.y};
}

// Draws a whole bitmap with its top-left corner at (x, y).
void draw_bitmap(HDC dc, HBITMAP bitmap, int x, int y);

// Fills a rectangle with a plain colour.
void fill_rect(HDC dc, const RECT& box, COLORREF colour);
// Draws a rectangle's one-pixel frame.
void frame_rect(HDC dc, const RECT& box, COLORREF colour);

// Text with no background of its own.
void draw_text(HDC dc, std::wstring_view text, RECT box, COLORREF colour, HFONT font, UINT format);

// A colour as stored in layouts: with the top bit set, a system colour by its index.
COLORREF resolve_colour(COLORREF stored);

// The screen's device context for as long as it lives.
class ScreenDc {
public:
    ScreenDc() : dc_(::GetDC(nullptr)) {}
    ~ScreenDc() { ::ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace vantero
