#pragma once
// The main window: nine rows, each joining a trigger hotkey to target keys and a remark.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/chrome.h"
#include "app/integrity.h"
#include "app/remark_label.h"
#include "app/row_start.h"
#include "app/system_sender.h"
#include "common/rows.h"
#include "common/unique_handle.h"
#include "common/window_base.h"
#include "editor/editor_window.h"
#include "hotkey/key_latch.h"

namespace vantero {

// What the exit sequence does beyond the main window, in this order, once the triggers are saved.
struct ExitSteps {
    std::function<void()> settings_saved;  // another copy may start now
    std::function<void()> remove_tray_icon;
};

// A word to the user that needs no answer: a tray balloon.
using Notify = std::function<void(const std::wstring& title, const std::wstring& text)>;

class MainWindow final : public WindowBase, public EditorHost {
public:
    // settings: where set.ini is, for the rows, their hotkey boxes and the editor.
    MainWindow(IniLocation settings, ExitSteps exit_steps, Notify notify = {});
    ~MainWindow() override;

    // Creates the window with its rows (each hotkey box restores its trigger), then runs the
    // load step: colour key, every row's target keys and remark from set.ini, the editor loaded.
    bool open();
    // Shows the window centred the first time, as it was afterwards.
    void show();
    // Visible and topmost (a click on the tray icon).
    void show_topmost();

    // The exit sequence: saves every trigger, removes the icon, opens the home page (not when
    // the program restarts as administrator), ends.
    void exit_program(bool open_home_page = true);
    // Saves every row's trigger (exit sequence and session end); the first failure's error code.
    // When set.ini could not be read at start, rows without a trigger captured since are left out.
    DWORD save_triggers();
    // What the message loop waits on for the sends, and what it calls then.
    SystemSender& sender() { return sender_; }
    // Windows ends the session: a send's keys go up now.
    void end_sends() { sender_.close(); }

    // Paused, no row's hotkey is registered and the ticks stay; resumed, rows that cannot be
    // registered again are unticked and named in a balloon.
    void set_paused(bool paused);
    // This program's level and which program has the focus at which level: the system's
    // answers unless replaced.
    void set_integrity_seam(std::optional<unsigned long> own_level, ForegroundQuery foreground) {
        own_level_ = own_level;
        foreground_query_ = std::move(foreground);
    }

    // Row n = 1..9 / row index k = 0..8.
    KeyLatch& hotkey_box(int n) { return *hotkey_boxes_[n - 1]; }
    HWND enable_box(int n) const { return enable_boxes_[n - 1]; }
    HWND target_box(int k) const { return target_boxes_[k]; }
    const std::wstring& remark(int k) const { return remarks_[k]->caption(); }

    // EditorHost
    void set_row_keys(int row_index, const std::wstring& display_text,
                      const std::optional<TargetKeys>& keys) override;
    void set_row_remark(int row_index, const std::wstring& remark) override;
    void show_main() override;
    // Row k's target keys, as a send types them: nothing when the row has none that are valid.
    const std::optional<TargetKeys>& row_keys(int row_index) const override {
        return row_keys_[row_index];
    }
    std::wstring row_remark(int row_index) const override { return remarks_[row_index]->caption(); }

private:
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    void create_rows();
    // Fonts, pictures and every control's place at a scale, which becomes the window's.
    void apply_dpi(Scale scale);
    void place_rows();
    void load_rows();
    void check_clicked(int n);
    // main_window_rows.cpp: the rows left started start again, through the checks a click
    // makes but without a message box; those that cannot are named in one balloon.
    void restore_started_rows();
    // Keeps row n's "启动" state in set.ini when the user's click or capture changed it.
    void store_started(int n);
    // Keeps row n's trigger in set.ini as soon as it is captured, once for each capture.
    void store_trigger(int n);
    // A failed save the user is told of, with what it means for the row.
    void report_save_failure(DWORD error, const wchar_t* consequence);
    // Whether row n may be enabled: it has target keys, and a trigger that takes a key away
    // from typing is confirmed by the user.
    bool may_enable(int n);
    RowFacts row_facts(int n, bool typing_confirmed);
    // Saves the triggers; a failure is reported, and the user may try again or give up.
    void save_triggers_before_exit();
    // Row k's target keys, when its send starts, if it may send now.
    std::optional<TargetKeys> keys_to_send(int k);
    // A send types row k's trigger: its hotkey lets go meanwhile; one taken by another program
    // meanwhile leaves the row unticked, with its trigger kept.
    void silence_trigger(int k, bool silenced);
    // False, with a balloon the first time for that program, when the keys would be dropped:
    // paused, or the focused program runs at a higher level than this one.
    bool may_send_now();
    // The sender learns which rows are enabled, and their triggers.
    void update_triggers();
    // A capture in a row's hotkey box unregisters its hotkey: the box shows it.
    void sync_check(int n);
    void set_keys(int k, const std::optional<TargetKeys>& keys);
    void open_editor(int k, bool remark_mode);
    void on_click(POINT at);
    void paint();
    static LRESULT CALLBACK target_box_proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    const IniLocation settings_;
    ExitSteps exit_steps_;
    Scale scale_;  // the one resolution of the window and its rows, handed to them
    MainChrome chrome_;
    unique_gdi_object font_;        // 微软雅黑 9 pt, the window's own
    unique_gdi_object check_font_;  // bold
    unique_gdi_object row_brush_;
    unique_window tooltip_;
    std::array<std::unique_ptr<KeyLatch>, kRowCount> hotkey_boxes_;
    std::array<HWND, kRowCount> enable_boxes_{};
    std::array<HWND, kRowCount> target_boxes_{};
    std::array<std::optional<TargetKeys>, kRowCount> row_keys_;
    std::array<std::unique_ptr<RemarkLabel>, kRowCount> remarks_;
    std::unique_ptr<EditorWindow> editor_;
    std::array<bool, kRowCount> started_stored_{};  // as set.ini holds them
    // A hotkey box's text, key and modifiers, as last read or written.
    using StoredTrigger = std::tuple<std::wstring, int, int>;
    std::array<StoredTrigger, kRowCount> triggers_stored_{};
    DWORD read_error_ = ERROR_SUCCESS;  // set.ini at start-up: check_settings_readable
    Notify notify_;
    bool paused_ = false;
    ForegroundQuery foreground_query_ = query_foreground_program;
    std::optional<unsigned long> own_level_ = own_integrity_level();
    std::set<std::wstring> told_of_;  // programs a balloon named as out of reach
    bool shown_once_ = false;
    bool exiting_ = false;
    ChromeHit pressed_ = ChromeHit::outside;
    // Last: it goes first, its keys released while the rows it asks still exist.
    SystemSender sender_{{[this](int k) { return keys_to_send(k); },
                          [this](int k, bool silenced) { silence_trigger(k, silenced); }}};
};

}  // namespace vantero
