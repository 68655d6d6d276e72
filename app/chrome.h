#pragma once
// The main window's frame, drawn over its skin: title labels, hide button, exit area, links,
// slogans and column headings. None of them is a window of its own.
#include <windows.h>

#include "common/scale.h"
#include "common/unique_handle.h"

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

class MainChrome {
public:
    // Pictures and fonts for the given resolution; the layout follows it.
    void set_dpi(int dpi);

    void paint(HDC dc, const RECT& client) const;
    // What lies under a point of the client area.
    ChromeHit hit_test(POINT at) const;
    // Tooltips of the hide button and the exit area, and their areas after a change of scale.
    void add_tooltips(HWND tooltip, HWND owner) const;
    void place_tooltips(HWND tooltip, HWND owner) const;

private:
    RECT at_scale(const RECT& at_96_dpi) const;

    Scale scale_;
    unique_gdi_object skin_;
    unique_gdi_object hide_button_;
    unique_gdi_object title_font_;   // "Vantero"
    unique_gdi_object maker_font_;   // maker's name in the title tab
    unique_gdi_object slogan_font_;  // maker's name and slogan
    unique_gdi_object link_font_;
    unique_gdi_object green_font_;    // the four green texts
    unique_gdi_object heading_font_;  // column headings
};

}  // namespace vantero
