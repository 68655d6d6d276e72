#pragma once
// The main window: nine rows, each joining a trigger hotkey to target keys and a remark.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/chrome.h"
#include "app/keyboard_watch.h"
#include "app/send_gate.h"
#include "app/remark_label.h"
#include "common/unique_handle.h"
#include "common/window_base.h"
#include "editor/edit.h"
#include "hotkey/KeyLatch.h"

namespace vantero {

// What the exit sequence does beyond the main window, in this order, once the triggers are saved.
struct ExitSteps {
    std::function<void()> settings_saved;  // another copy may start now
    std::function<void()> remove_tray_icon;
};

class frmSet final : public WindowBase, public EditorHost {
public:
    static constexpr int kRows = 9;

    explicit frmSet(ExitSteps exit_steps);
    ~frmSet() override;

    // Creates the window with its rows (each hotkey box restores its trigger), then runs the
    // load step: colour key, every row's target keys and remark from set.ini, the editor loaded.
    bool Create();
    // Shows the window centred the first time, as it was afterwards.
    void Show();
    // Visible and topmost (a click on the tray icon).
    void ShowTopmost();

    // The exit sequence: saves every trigger, removes the icon, opens the home page, ends.
    void Image4_Click();
    // Saves every row's trigger (exit sequence and session end); the first failure's error code.
    DWORD SaveTriggers();
    // Runs action now or, while a send holds its keys, once the last send has let them go. What
    // opens a menu or a message box, starts a drag or ends the program goes through here:
    // started inside a send's delay, it would keep the keys down until it returned.
    void AfterSends(std::function<void()> action);

    // Row n = 1..9 / row index k = 0..8.
    KeyLatch& KeyLatchOf(int n) { return *latches_[n - 1]; }
    HWND CheckOf(int n) const { return checks_[n - 1]; }
    HWND Text1(int k) const { return targets_[k]; }
    const std::wstring& Text1ToolTipText(int k) const { return tooltips_[k]; }
    const std::wstring& Label17Caption(int k) const { return remarks_[k]->Caption(); }
    HWND Label17(int k) const { return remarks_[k]->hwnd(); }
    edit& Editor() { return *editor_; }

    // EditorHost
    void SetRowKeys(int row_index, const std::wstring& display_text, const std::wstring& key_sequence) override;
    void SetRowRemark(int row_index, const std::wstring& remark) override;
    void ShowMain() override;
    std::wstring RowKeySequence(int row_index) const override { return tooltips_[row_index]; }
    std::wstring RowRemark(int row_index) const override { return remarks_[row_index]->Caption(); }
    bool KeysHeld() const override { return sending(); }

private:
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    void create_rows();
    void Form_Load();
    void check_clicked(int n);
    // Whether row n may be enabled: it has target keys, and a trigger that takes a key away
    // from typing is confirmed by the user.
    bool may_enable(int n);
    // Saves the triggers; a failure is reported, and the user may try again or give up.
    void save_triggers_before_exit();
    // A row's trigger fired: the system's hotkey, or the keyboard watch's during a send.
    void hotkey_pressed(int n, bool from_watch);
    // Types row k's target keys into the focused window; the send gate decides when.
    void send_row(int k);
    // The user's keys are watched while any row is enabled, and only then.
    void update_keyboard_watch();
    // A capture in a row's hotkey box unregisters its hotkey: the box shows it.
    void sync_check(int n);
    bool sending() const;
    void set_tooltip(int k, std::wstring text);
    void open_editor(int k, bool remark_mode);
    void on_click(POINT at);
    void paint();
    static LRESULT CALLBACK target_box_proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    ExitSteps exit_steps_;
    MainChrome chrome_;
    unique_gdi_object font_;        // 微软雅黑 9 pt, the window's own
    unique_gdi_object check_font_;  // bold
    unique_gdi_object row_brush_;
    unique_window tooltip_;
    std::array<std::unique_ptr<KeyLatch>, kRows> latches_;
    std::array<HWND, kRows> checks_{};
    std::array<HWND, kRows> targets_{};
    std::array<std::wstring, kRows> tooltips_;
    std::array<std::unique_ptr<RemarkLabel>, kRows> remarks_;
    SendGate gate_{[this](int k) { send_row(k); }};
    KeyboardWatch keyboard_watch_;
    std::unique_ptr<edit> editor_;
    bool shown_once_ = false;
    bool exiting_ = false;
    ChromeHit pressed_ = ChromeHit::Outside;
};

}  // namespace vantero
