#pragma once
// The remark panel: the hint, the remark box and its save button. It draws
// them itself and passes the button's click on to the editor window.
#include <windows.h>

#include <string>

#include "common/unique_handle.h"
#include "common/window_base.h"
#include "editor/editor_look.h"

namespace vantero {

class RemarkPanel final : public WindowBase {
public:
    explicit RemarkPanel(const EditorFonts& fonts);

    bool create_child(HWND parent);

    HWND remark_box() const { return remark_box_; }
    std::wstring remark() const;
    void set_remark(const std::wstring& remark);

private:
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    void paint();

    const EditorFonts& fonts_;
    unique_gdi_object remark_brush_;
    HWND remark_box_ = nullptr;  // children: destroyed with the panel
    HWND save_button_ = nullptr;
};

}  // namespace vantero
