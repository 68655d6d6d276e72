#include "app/chrome.h"

#include <commctrl.h>

#include "app/layout.h"
#include "app/product.h"
#include "common/gdi_win.h"
#include "common/palette.h"
#include "common/picture_win.h"
#include "resources/resource_ids.h"

namespace vantero {
namespace {

using layout::px_rect;

const RECT kSkin = px_rect(0, 0, 809, 589);
const RECT kTitle = px_rect(379, 14, 87, 23);        // "Vantero" in the title tab
const RECT kMaker = px_rect(258, 17, 62, 17);        // the maker's name in the title tab
const RECT kSlogan = px_rect(294, 58, 329, 25);      // the maker's slogan
const RECT kHideButton = px_rect(759, 28, 23, 23);   // hides the window to the tray
const RECT kExitArea = px_rect(779, 27, 26, 23);     // ends the program
const RECT kHomeLink = px_rect(46, 62, 57, 19);      // "官方网站"
const RECT kProductLink = px_rect(146, 63, 57, 20);  // "使用介绍"
const RECT kGreen[] = {px_rect(53, 193, 154, 26), px_rect(50, 242, 154, 26),
                       px_rect(51, 288, 154, 26),
                       px_rect(52, 336, 154, 26)};  // the four green texts

struct Heading {
    const wchar_t* text;
    int left_twips;
};
const Heading kHeadings[] = {
    {L"新的热键 *", 3690}, {L"旧的热键 *", 5790}, {L"备注", 7680}, {L"是否运行 *", 9525}};
constexpr int kHeadingTop = 120;

constexpr const wchar_t* kFace = L"微软雅黑";
constexpr SIZE kSkinSize{809, 589};
constexpr SIZE kHideButtonSize{23, 23};

struct Tip {
    RECT area;
    const wchar_t* text;
    UINT_PTR id;
};
const Tip kTips[] = {{kHideButton, L"隐藏到托盘", 2}, {kExitArea, L"退出", 4}};

}  // namespace

void MainChrome::set_dpi(int dpi) {
    scale_ = Scale(dpi);
    skin_ = load_bitmap_for_dpi(IDB_SKIN_MAIN, kSkinSize, dpi);
    hide_button_ = load_bitmap_for_dpi(IDB_HIDE_BUTTON, kHideButtonSize, dpi);
    title_font_ = make_font(kFace, 12, dpi, true);
    maker_font_ = make_font(kFace, 9, dpi, true);
    slogan_font_ = make_font(kFace, 10.5, dpi);
    link_font_ = make_font(kFace, 9, dpi);
    green_font_ = make_font(kFace, 14.25, dpi);
    heading_font_ = make_font(kFace, 9, dpi, true);
}

RECT MainChrome::at_scale(const RECT& at_96_dpi) const {
    return scaled(at_96_dpi, scale_);
}

void MainChrome::paint(HDC dc, const RECT& client) const {
    fill_rect(dc, client, palette::kSeeThrough);
    const RECT skin = at_scale(kSkin);
    const RECT hide = at_scale(kHideButton);
    draw_bitmap(dc, static_cast<HBITMAP>(skin_.get()), skin.left, skin.top);
    draw_bitmap(dc, static_cast<HBITMAP>(hide_button_.get()), hide.left, hide.top);

    auto font = [](const unique_gdi_object& f) { return static_cast<HFONT>(f.get()); };
    const UINT centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    draw_text(dc, L"Vantero", at_scale(kTitle), palette::kLightOrange, font(title_font_), centred);
    draw_text(dc, product::kMakerName, at_scale(kMaker), palette::kLightOrange, font(maker_font_),
              centred);
    draw_text(dc, product::kMakerSlogan, at_scale(kSlogan), palette::kOrange, font(slogan_font_),
              centred);
    draw_text(dc, L"官方网站", at_scale(kHomeLink), palette::kYellow, font(link_font_),
              DT_SINGLELINE | DT_VCENTER);
    draw_text(dc, L"使用介绍", at_scale(kProductLink), palette::kYellow, font(link_font_),
              DT_SINGLELINE | DT_VCENTER);
    const wchar_t* green_texts[] = {L"一键换天地", L"一键秒全屏", L"就在", product::kMakerName};
    for (int i = 0; i < 4; ++i) {
        draw_text(dc, green_texts[i], at_scale(kGreen[i]), palette::kGreen, font(green_font_),
                  centred);
    }
    for (const Heading& h : kHeadings) {
        RECT box = at_scale(px_rect(0, kHeadingTop, 110, 18));
        ::OffsetRect(&box, scale_.twips(h.left_twips), 0);
        draw_text(dc, h.text, box, palette::kLightOrange, font(heading_font_),
                  DT_SINGLELINE | DT_VCENTER);
    }
}

ChromeHit MainChrome::hit_test(POINT at) const {
    auto inside = [this, at](const RECT& area) {
        const RECT here = at_scale(area);
        return ::PtInRect(&here, at) != FALSE;
    };
    // The exit area lies over the hide button's right edge and wins there.
    if (inside(kExitArea)) return ChromeHit::exit_area;
    if (inside(kHideButton)) return ChromeHit::hide_button;
    if (inside(kHomeLink)) return ChromeHit::home_link;
    if (inside(kProductLink)) return ChromeHit::product_link;
    if (inside(kTitle) || inside(kMaker)) return ChromeHit::title_label;
    if (inside(kSkin)) return ChromeHit::skin;
    return ChromeHit::outside;
}

void MainChrome::add_tooltips(HWND tooltip, HWND owner) const {
    for (const Tip& t : kTips) {
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.uFlags = TTF_SUBCLASS;
        info.hwnd = owner;
        info.uId = t.id;
        info.rect = at_scale(t.area);
        info.lpszText = const_cast<wchar_t*>(t.text);
        ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void MainChrome::place_tooltips(HWND tooltip, HWND owner) const {
    for (const Tip& t : kTips) {
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.hwnd = owner;
        info.uId = t.id;
        info.rect = at_scale(t.area);
        ::SendMessageW(tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

}  // namespace vantero
