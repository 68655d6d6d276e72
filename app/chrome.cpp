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

bool inside(const RECT& r, POINT p) {
    return ::PtInRect(&r, p) != FALSE;
}

}  // namespace

MainChrome::MainChrome()
    : skin_(load_bitmap(IDB_SKIN_MAIN)),
      hide_button_(load_bitmap(IDB_HIDE_BUTTON)),
      title_font_(make_font(L"微软雅黑", 12, true)),
      maker_font_(make_font(L"微软雅黑", 9, true)),
      slogan_font_(make_font(L"微软雅黑", 10.5)),
      link_font_(make_font(L"微软雅黑", 9)),
      green_font_(make_font(L"微软雅黑", 14.25)),
      heading_font_(make_font(L"微软雅黑", 9, true)) {}

void MainChrome::paint(HDC dc, const RECT& client) const {
    fill_rect(dc, client, palette::kSeeThrough);
    draw_bitmap(dc, static_cast<HBITMAP>(skin_.get()), kSkin.left, kSkin.top);
    draw_bitmap(dc, static_cast<HBITMAP>(hide_button_.get()), kHideButton.left, kHideButton.top);

    auto font = [](const unique_gdi_object& f) { return static_cast<HFONT>(f.get()); };
    const UINT centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    draw_text(dc, L"Vantero", kTitle, palette::kLightOrange, font(title_font_), centred);
    draw_text(dc, product::kMakerName, kMaker, palette::kLightOrange, font(maker_font_), centred);
    draw_text(dc, product::kMakerSlogan, kSlogan, palette::kOrange, font(slogan_font_), centred);
    draw_text(dc, L"官方网站", kHomeLink, palette::kYellow, font(link_font_),
              DT_SINGLELINE | DT_VCENTER);
    draw_text(dc, L"使用介绍", kProductLink, palette::kYellow, font(link_font_),
              DT_SINGLELINE | DT_VCENTER);
    const wchar_t* green_texts[] = {L"一键换天地", L"一键秒全屏", L"就在", product::kMakerName};
    for (int i = 0; i < 4; ++i) {
        draw_text(dc, green_texts[i], kGreen[i], palette::kGreen, font(green_font_), centred);
    }
    for (const Heading& h : kHeadings) {
        const RECT box = px_rect(twips(h.left_twips), kHeadingTop, 110, 18);
        draw_text(dc, h.text, box, palette::kLightOrange, font(heading_font_),
                  DT_SINGLELINE | DT_VCENTER);
    }
}

ChromeHit MainChrome::hit_test(POINT at) const {
    // The exit area lies over the hide button's right edge and wins there.
    if (inside(kExitArea, at)) return ChromeHit::exit_area;
    if (inside(kHideButton, at)) return ChromeHit::hide_button;
    if (inside(kHomeLink, at)) return ChromeHit::home_link;
    if (inside(kProductLink, at)) return ChromeHit::product_link;
    if (inside(kTitle, at) || inside(kMaker, at)) return ChromeHit::title_label;
    if (inside(kSkin, at)) return ChromeHit::skin;
    return ChromeHit::outside;
}

void MainChrome::add_tooltips(HWND tooltip, HWND owner) const {
    struct Tip {
        RECT area;
        const wchar_t* text;
        UINT_PTR id;
    };
    const Tip tips[] = {{kHideButton, L"隐藏到托盘", 2}, {kExitArea, L"退出", 4}};
    for (const Tip& t : tips) {
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.uFlags = TTF_SUBCLASS;
        info.hwnd = owner;
        info.uId = t.id;
        info.rect = t.area;
        info.lpszText = const_cast<wchar_t*>(t.text);
        ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

}  // namespace vantero
