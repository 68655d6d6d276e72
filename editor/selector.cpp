#include "editor/selector.h"

#include <commctrl.h>

#include "common/gdi_win.h"
#include "common/palette.h"

namespace vantero {
namespace {

constexpr Colour kBorder = rgb(110, 55, 8);
constexpr Colour kArrow = palette::kOrange;
constexpr int kEntryHeight = 18;
constexpr int kPadding = 4;

void draw_arrow(HDC dc, const RECT& button, Scale scale) {
    const int cx = (button.left + button.right) / 2;
    const int cy = (button.top + button.bottom) / 2;
    const int half = scale.px(4);
    const int rise = scale.px(2);
    const POINT tip[3] = {{cx - half, cy - rise}, {cx + half, cy - rise}, {cx, cy + rise}};
    HBRUSH brush = ::CreateSolidBrush(kArrow);
    HPEN pen = ::CreatePen(PS_SOLID, 1, kArrow);
    HGDIOBJ old_brush = ::SelectObject(dc, brush);
    HGDIOBJ old_pen = ::SelectObject(dc, pen);
    ::Polygon(dc, tip, 3);
    ::SelectObject(dc, old_pen);
    ::SelectObject(dc, old_brush);
    ::DeleteObject(pen);
    ::DeleteObject(brush);
}

}  // namespace

Selector::Selector(int id, COLORREF back, const Scale& scale)
    : id_(id), back_(back), back_brush_(::CreateSolidBrush(back)), scale_(scale) {}

bool Selector::create(HWND parent) {
    hwnd_ =
        ::CreateWindowExW(0, L"COMBOBOX", L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS |
                              CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                          0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                          ::GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return false;
    ::SetWindowSubclass(hwnd_, subclass_proc, 0, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void Selector::place(const RECT& box, HFONT font, int list_rows) {
    font_ = font;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const int entry_height = scale_.px(kEntryHeight);
    const int dropped = SelectorEntries::dropped_height(height, list_rows, entry_height);
    ::SetWindowPos(hwnd_, nullptr, box.left, box.top, width, dropped,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SendMessageW(hwnd_, CB_SETITEMHEIGHT, 0, entry_height);

    // The closed box's height follows its field's. Size the field until the box has the height
    // of the layout: how much frame a system adds around the field differs (Wine adds 2 more
    // than it reports), so correct by what the box really became.
    auto field =
        static_cast<int>(::SendMessageW(hwnd_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT now;
        ::GetWindowRect(hwnd_, &now);
        const int error = height - (now.bottom - now.top);
        if (error == 0) break;
        field += error;
        ::SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
    ::SetWindowPos(hwnd_, nullptr, box.left, box.top, width, dropped,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void Selector::add(std::wstring_view name) {
    const std::wstring text(name);
    if (::SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())) >= 0) {
        entries_.add(name);
    }
}

std::wstring Selector::text() const {
    const LRESULT index = ::SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? std::wstring() : entries_.name(static_cast<size_t>(index));
}

void Selector::show(std::wstring_view name) {
    ::SendMessageW(hwnd_, CB_SETCURSEL, entries_.index_of(name), 0);
}

void Selector::draw_item(const DRAWITEMSTRUCT& item) const {
    const EntryColours colours = SelectorEntries::colours(
        (item.itemState & ODS_COMBOBOXEDIT) != 0, (item.itemState & ODS_SELECTED) != 0, back_);
    fill_rect(item.hDC, item.rcItem, colours.back);
    if (item.itemID == static_cast<UINT>(-1)) return;
    RECT box = item.rcItem;
    box.left += scale_.px(kPadding);
    box.right -= scale_.px(kPadding);
    draw_text(item.hDC, entries_.name(item.itemID), box, colours.text, font_,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

// The whole closed box: flat background, a thin frame and an arrow in place of the system's
// sunken edge and grey button. The field itself is drawn as the combo box draws it.
void Selector::paint() const {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd_, &ps);
    RECT client;
    ::GetClientRect(hwnd_, &client);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ::GetComboBoxInfo(hwnd_, &info);

    fill_rect(dc, client, back_);
    frame_rect(dc, client, kBorder);
    draw_arrow(dc, info.rcButton, scale_);

    const bool dropped = ::SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != 0;
    const LRESULT index = ::SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
    DRAWITEMSTRUCT field{};
    field.CtlType = ODT_COMBOBOX;
    field.CtlID = static_cast<UINT>(id_);
    field.itemID = index == CB_ERR ? static_cast<UINT>(-1) : static_cast<UINT>(index);
    field.itemAction = ODA_DRAWENTIRE;
    field.itemState = ODS_COMBOBOXEDIT;
    if (::GetFocus() == hwnd_ && !dropped) field.itemState |= ODS_SELECTED | ODS_FOCUS;
    field.hwndItem = hwnd_;
    field.hDC = dc;
    field.rcItem = info.rcItem;
    draw_item(field);
    ::EndPaint(hwnd_, &ps);
}

LRESULT CALLBACK Selector::subclass_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR, DWORD_PTR self_data) {
    const auto* self = reinterpret_cast<const Selector*>(self_data);
    switch (message) {
        case WM_PAINT:
            self->paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_CTLCOLORLISTBOX: {  // the dropped list, beyond its last entry
            HDC dc = reinterpret_cast<HDC>(wparam);
            ::SetBkColor(dc, self->back_);
            ::SetTextColor(dc, SelectorEntries::colours(false, false, self->back_).text);
            return reinterpret_cast<LRESULT>(self->back_brush_.get());
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            const LRESULT result = ::DefSubclassProc(hwnd, message, wparam, lparam);
            ::InvalidateRect(hwnd, nullptr, FALSE);
            return result;
        }
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(hwnd, subclass_proc, 0);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace vantero
