#pragma once
// A row's remark label: the remark centred on the row's band, and a click that opens the editor.
#include <windows.h>

#include <functional>
#include <string>

#include "common/window_base.h"

namespace vantero {

class RemarkLabel final : public WindowBase {
public:
    RemarkLabel(HWND parent, std::function<void()> on_click);

    const std::wstring& caption() const { return caption_; }
    void set_caption(std::wstring text);
    // Where it sits, the font it writes with (the caller's) and the height of the row's band.
    void place(const RECT& bounds, HFONT font, int band);

private:
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;

    HFONT font_ = nullptr;
    int band_ = 0;
    std::wstring caption_ = L"点击备注";
    std::function<void()> on_click_;
    bool pressed_ = false;
};

}  // namespace vantero
