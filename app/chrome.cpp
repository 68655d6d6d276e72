#include "app/chrome.h"

#include <commctrl.h>

#include "app/product.h"
#include "common/gdi_win.h"
#include "common/palette.h"
#include "common/picture_win.h"
#include "resources/resource_ids.h"

namespace vantero {
namespace {

constexpr const wchar_t* kFace = L"微软雅黑";

struct Tip {
    Rect area;
    const wchar_t* text;
    UINT_PTR id;
};
const Tip kTips[] = {{chrome::kHideButton, L"隐藏到托盘", 2}, {chrome::kExitArea, L"退出", 4}};

TOOLINFOW tool_for(const Tip& tip, HWND owner, Scale scale) {
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = owner;
    info.uId = tip.id;
    info.rect = to_rect(scaled(tip.area, scale));
    return info;
}

}  // namespace

void MainChrome::load(Scale scale) {
    skin_ = load_bitmap_for_dpi(IDB_SKIN_MAIN, chrome::kSkinSize, scale);
    hide_button_ = load_bitmap_for_dpi(IDB_HIDE_BUTTON, chrome::kHideButtonSize, scale);
    title_font_ = make_font(kFace, 12, scale, true);
    maker_font_ = make_font(kFace, 9, scale, true);
    slogan_font_ = make_font(kFace, 10.5, scale);
    link_font_ = make_font(kFace, 9, scale);
    green_font_ = make_font(kFace, 14.25, scale);
    heading_font_ = make_font(kFace, 9, scale, true);
}

void MainChrome::paint(HDC dc, const RECT& client, Scale scale) const {
    auto at_scale = [scale](const Rect& at_96_dpi) { return to_rect(scaled(at_96_dpi, scale)); };
    fill_rect(dc, client, palette::kSeeThrough);
    const RECT skin = at_scale(chrome::kSkin);
    const RECT hide = at_scale(chrome::kHideButton);
    draw_bitmap(dc, static_cast<HBITMAP>(skin_.get()), skin.left, skin.top);
    draw_bitmap(dc, static_cast<HBITMAP>(hide_button_.get()), hide.left, hide.top);

    auto font = [](const unique_gdi_object& f) { return static_cast<HFONT>(f.get()); };
    const UINT centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    draw_text(dc, L"Vantero", at_scale(chrome::kTitle), palette::kLightOrange, font(title_font_),
              centred);
    draw_text(dc, product::kMakerName, at_scale(chrome::kMaker), palette::kLightOrange,
              font(maker_font_), centred);
    draw_text(dc, product::kMakerSlogan, at_scale(chrome::kSlogan), palette::kOrange,
              font(slogan_font_), centred);
    draw_text(dc, L"官方网站", at_scale(chrome::kHomeLink), palette::kYellow, font(link_font_),
              DT_SINGLELINE | DT_VCENTER);
    draw_text(dc, L"使用介绍", at_scale(chrome::kProductLink), palette::kYellow, font(link_font_),
              DT_SINGLELINE | DT_VCENTER);
    const wchar_t* green_texts[] = {L"一键换天地", L"一键秒全屏", L"就在", product::kMakerName};
    for (int i = 0; i < 4; ++i) {
        draw_text(dc, green_texts[i], at_scale(chrome::kGreen[i]), palette::kGreen,
                  font(green_font_), centred);
    }
    for (const chrome::Heading& h : chrome::kHeadings) {
        draw_text(dc, h.text, to_rect(chrome::heading_box(h, scale)), palette::kLightOrange,
                  font(heading_font_), DT_SINGLELINE | DT_VCENTER);
    }
}

void MainChrome::add_tooltips(HWND tooltip, HWND owner, Scale scale) const {
    for (const Tip& t : kTips) {
        TOOLINFOW info = tool_for(t, owner, scale);
        info.uFlags = TTF_SUBCLASS;
        info.lpszText = const_cast<wchar_t*>(t.text);
        ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void MainChrome::place_tooltips(HWND tooltip, HWND owner, Scale scale) const {
    for (const Tip& t : kTips) {
        TOOLINFOW info = tool_for(t, owner, scale);
        ::SendMessageW(tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

}  // namespace vantero
