#include "common/gdi_win.h"

#include <string>

#include "common/palette.h"

namespace vantero {

unique_gdi_object make_font(std::wstring_view face, double points, Scale scale, bool bold,
                            FontQuality quality) {
    LOGFONTW lf{};
    lf.lfHeight = -scale.points(points);  // negative: the characters' height, not the cell's
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = quality == FontQuality::cleartype ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
    const std::wstring name(face.substr(0, LF_FACESIZE - 1));
    name.copy(lf.lfFaceName, name.size());
    return unique_gdi_object(::CreateFontIndirectW(&lf));
}

void draw_bitmap(HDC dc, HBITMAP bitmap, int x, int y) {
    if (!bitmap) return;
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof(info), &info);
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

void fill_rect(HDC dc, const RECT& box, COLORREF colour) {
    const unique_gdi_object brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &box, static_cast<HBRUSH>(brush.get()));
}

void frame_rect(HDC dc, const RECT& box, COLORREF colour) {
    const unique_gdi_object brush(::CreateSolidBrush(colour));
    ::FrameRect(dc, &box, static_cast<HBRUSH>(brush.get()));
}

void draw_text(HDC dc, std::wstring_view text, RECT box, COLORREF colour, HFONT font, UINT format) {
    HGDIOBJ old_font = font ? ::SelectObject(dc, font) : nullptr;
    const int old_mode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF old_colour = ::SetTextColor(dc, colour);
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, format | DT_NOPREFIX);
    ::SetTextColor(dc, old_colour);
    ::SetBkMode(dc, old_mode);
    if (old_font) ::SelectObject(dc, old_font);
}

COLORREF resolve_colour(COLORREF stored) {
    return resolve_colour(static_cast<Colour>(stored),
                          [](int index) { return static_cast<Colour>(::GetSysColor(index)); });
}

}  // namespace vantero
