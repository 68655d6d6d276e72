#pragma once
// The main window's frame, drawn over its skin: title labels, hide button, exit area, links,
// slogans and column headings. None of them is a window of its own; where they sit is
// chrome_layout.h's, at the scale the main window hands in.
#include <windows.h>

#include "app/chrome_layout.h"
#include "common/scale.h"
#include "common/unique_handle.h"

namespace vantero {

class MainChrome {
public:
    // Pictures and fonts for a scale; paint at that scale afterwards.
    void load(Scale scale);

    void paint(HDC dc, const RECT& client, Scale scale) const;
    // Tooltips of the hide button and the exit area, and their areas after a change of scale.
    void add_tooltips(HWND tooltip, HWND owner, Scale scale) const;
    void place_tooltips(HWND tooltip, HWND owner, Scale scale) const;

private:
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
