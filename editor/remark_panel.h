#pragma once
// The remark panel: the hint, the remark box and its save button. It draws
// them itself and passes the button's click on to the editor window.
#include <windows.h>

#include <string>

#include "common/gdi_win.h"
#include "common/scale.h"
#include "common/unique_handle.h"
#include "common/window_base.h"
#include "editor/editor_fonts.h"
#include "editor/editor_look.h"

namespace vantero {

class RemarkPanel final : public WindowBase {
public:
    // The editor's fonts and scale, read as they change.
    RemarkPanel(const EditorFonts& fonts, const Scale& scale);

    // Hidden, until the editor opens in remark mode.
    bool create_child(HWND parent);
    // Places it and its controls at the editor's scale, with its fonts.
    void place();

    HWND remark_box() const { return remark_box_; }
    std::wstring remark() const;
    void set_remark(const std::wstring& remark);

private:
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    void paint();

    RECT at_scale(const Rect& at_96_dpi) const { return to_rect(scaled(at_96_dpi, scale_)); }

    const EditorFonts& fonts_;
    const Scale& scale_;
    unique_gdi_object remark_brush_;
    HWND remark_box_ = nullptr;  // children: destroyed with the panel
    HWND save_button_ = nullptr;
};

}  // namespace vantero
