#pragma once
// Shared set-up of the editor window tests: a host that records what the editor tells the main
// window, a real set.ini beside the test program, and ways to drive the real controls.
#include <windows.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "common/text_win.h"
#include "editor/editor_ids.h"
#include "editor/editor_window.h"
#include "settings/settings_file.h"
#include "tests/win/key_event_log.h"

namespace vantero::test {

// Keeps the rows as the main window does and records what the editor tells it.
class RecordingHost final : public EditorHost {
public:
    void set_row_keys(int k, const std::wstring& display, const std::wstring& sequence) override {
        calls.push_back(L"keys " + std::to_wstring(k) + L" [" + display + L"] " + sequence);
        sequences[k] = sequence;
    }
    void set_row_remark(int k, const std::wstring& remark) override {
        calls.push_back(L"remark " + std::to_wstring(k) + L" [" + remark + L"]");
        remarks[k] = remark;
    }
    void show_main() override { calls.push_back(L"main"); }
    std::wstring row_key_sequence(int k) const override { return sequences[k]; }
    std::wstring row_remark(int k) const override { return remarks[k]; }

    std::vector<std::wstring> calls;
    std::array<std::wstring, 9> sequences;
    std::array<std::wstring, 9> remarks;
};

class EditWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // One file per process: the same tests may run at once from another build or shell.
        use_settings_file(L"edit_test_" + std::to_wstring(::GetCurrentProcessId()) + L".ini");
        ::DeleteFileW(settings_file_path().c_str());
        editor_ = std::make_unique<EditorWindow>(host_);
    }
    void TearDown() override {
        editor_.reset();
        pump_for(20);
        ::DeleteFileW(settings_file_path().c_str());
    }

    EditorWindow& editor() { return *editor_; }
    // A fresh editor object and empty rows, as after a restart of the program without set.ini.
    void renew() {
        editor_ = std::make_unique<EditorWindow>(host_);
        host_ = RecordingHost{};
    }

    HWND panel() const { return ::GetDlgItem(editor_->hwnd(), editor_ids::kRemarkPanel); }
    HWND control(int id) const {
        HWND direct = ::GetDlgItem(editor_->hwnd(), id);
        return direct ? direct : ::GetDlgItem(panel(), id);
    }

    // What a pick in a list does: the selection moves, then the parent hears CBN_SELCHANGE.
    void pick(int id, const wchar_t* name) {
        HWND list = control(id);
        const int index = find(list, name);
        ASSERT_GE(index, 0) << "no entry \"" << narrow(name) << "\"";
        ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
    }
    void pick3(const wchar_t* a, const wchar_t* b, const wchar_t* c) {
        pick(editor_ids::kFirstKeyList, a);
        pick(editor_ids::kSecondKeyList, b);
        pick(editor_ids::kThirdKeyList, c);
    }
    static std::wstring entry(HWND list, int index) {
        wchar_t text[64] = {};
        ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(text));
        return text;
    }
    static std::vector<std::wstring> entries(HWND list) {
        std::vector<std::wstring> out;
        const auto count = static_cast<int>(::SendMessageW(list, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) out.push_back(entry(list, i));
        return out;
    }
    // Exact and case-sensitive, the empty entry included (CB_FINDSTRINGEXACT is neither).
    static int find(HWND list, const std::wstring& name) {
        const auto all = entries(list);
        for (size_t i = 0; i < all.size(); ++i) {
            if (all[i] == name) return static_cast<int>(i);
        }
        return -1;
    }
    // The entry a list shows, "(none)" when nothing is selected.
    std::wstring shown(int id) const {
        HWND list = control(id);
        const LRESULT index = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
        return index == CB_ERR ? L"(none)" : entry(list, static_cast<int>(index));
    }

    // A click as the button control gets it from the mouse, sent to the control itself.
    void click(int id) {
        HWND button = control(id);
        ASSERT_TRUE(button);
        RECT box;
        ::GetClientRect(button, &box);
        const LPARAM at = MAKELPARAM(box.right / 2, box.bottom / 2);
        ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(button, WM_LBUTTONUP, 0, at);
        pump_for(10);
    }

    void type_remark(const wchar_t* text) {
        ::SetWindowTextW(control(editor_ids::kRemarkBox), text);
    }
    std::wstring control_text(int id) const {
        wchar_t text[256] = {};
        ::GetWindowTextW(control(id), text, 256);
        return text;
    }

    static std::wstring ini(const wchar_t* section, const std::wstring& key) {
        return read_setting(section, key, L"(missing)");
    }
    static bool ini_exists() {
        return ::GetFileAttributesW(settings_file_path().c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    RecordingHost host_;
    std::unique_ptr<EditorWindow> editor_;
};

}  // namespace vantero::test
