// Opens the editor for a look at it (screenshots): edit_demo keys|remark|list [seconds].
#include <windows.h>

#include <cstdio>
#include <string>

#include "editor/editor_ids.h"
#include "editor/editor_window.h"

namespace {

class PrintingHost final : public vantero::EditorHost {
public:
    void set_row_keys(int k, const std::wstring&, const std::wstring& sequence) override {
        std::printf("row %d keys %ls\n", k, sequence.c_str());
    }
    void set_row_remark(int k, const std::wstring&) override { std::printf("row %d remark\n", k); }
    void show_main() override { std::printf("main shown\n"); }
    std::wstring row_key_sequence(int) const override { return L"2|17|65"; }
    std::wstring row_remark(int) const override { return L"复制"; }
};

void pick(HWND editor, int id, const wchar_t* name) {
    HWND list = ::GetDlgItem(editor, id);
    const LRESULT index = ::SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(name));
    ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(editor, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}

// A grey screen behind, so the see-through parts show as see-through.
HWND backdrop() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"EditDemoBackdrop";
    ::RegisterClassW(&wc);
    HWND w =
        ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                          ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, wc.hInstance, nullptr);
    ::ShowWindow(w, SW_SHOWNOACTIVATE);
    return w;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"keys";
    const int seconds = argc > 2 ? _wtoi(argv[2]) : 5;
    HWND back = backdrop();
    PrintingHost host;
    vantero::EditorWindow editor(host);
    if (mode == L"remark") {
        editor.open_remark(0);
        ::SetDlgItemTextW(::GetDlgItem(editor.hwnd(), vantero::editor_ids::kRemarkPanel),
                          vantero::editor_ids::kRemarkBox, L"复制一行");
    } else {
        editor.open_keys(0);
        pick(editor.hwnd(), vantero::editor_ids::kFirstKeyList, L"Ctrl");
        pick(editor.hwnd(), vantero::editor_ids::kSecondKeyList, L"Shift");
        pick(editor.hwnd(), vantero::editor_ids::kThirdKeyList, L"R-5");
        if (mode == L"list") {
            HWND list = ::GetDlgItem(editor.hwnd(), vantero::editor_ids::kSecondKeyList);
            ::SetFocus(list);
            ::SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
        }
    }
    ::SetWindowPos(back, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr) break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::DestroyWindow(back);
    return 0;
}
