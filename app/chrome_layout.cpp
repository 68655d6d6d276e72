#include "app/chrome_layout.h"

namespace vantero {

ChromeHit chrome_hit_test(Point at, Scale scale) {
    auto inside = [at, scale](const Rect& area) { return scaled(area, scale).contains(at); };
    // The exit area lies over the hide button's right edge and wins there.
    if (inside(chrome::kExitArea)) return ChromeHit::exit_area;
    if (inside(chrome::kHideButton)) return ChromeHit::hide_button;
    if (inside(chrome::kHomeLink)) return ChromeHit::home_link;
    if (inside(chrome::kProductLink)) return ChromeHit::product_link;
    if (inside(chrome::kTitle) || inside(chrome::kMaker)) return ChromeHit::title_label;
    if (inside(chrome::kSkin)) return ChromeHit::skin;
    return ChromeHit::outside;
}

}  // namespace vantero
