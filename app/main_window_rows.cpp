// The rows' "启动" states and triggers kept in set.ini as they change, and started again at start.
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/row_start.h"
#include "common/external_strings.h"
#include "settings/row_switches.h"
#include "settings/save_error.h"

namespace vantero {

void MainWindow::restore_started_rows() {
    // A file that could not be read says nothing of which rows were started.
    for (int n = 1; n <= kRowCount; ++n) {
        const KeyLatch& latch = hotkey_box(n);
        triggers_stored_[n - 1] = {latch.text(), latch.key_code(), latch.mod_key_code()};
    }
    if (read_error_ != ERROR_SUCCESS) return;
    started_stored_ = read_row_switches(settings_);
    std::vector<RowNotStarted> refused;
    for (int n = 1; n <= kRowCount; ++n) {
        if (!started_stored_[n - 1]) continue;
        // The user confirmed a typing key when ticking the row; a new capture unticks it.
        RowRefusal reason = check_row_start(row_facts(n, true));
        if (reason == RowRefusal::none && !hotkey_box(n).try_enable_hotkey())
            reason = RowRefusal::registration_refused;
        // The stored state stays: the row starts again next time if it can then.
        if (reason != RowRefusal::none) refused.push_back({n, reason});
        sync_check(n);
    }
    if (!refused.empty() && notify_) {
        notify_(external::kBalloonTitle,
                std::wstring(external::kRowsNotStarted) + describe_rows_not_started(refused));
    }
}

void MainWindow::store_started(int n) {
    const bool started = hotkey_box(n).hotkey_enabled();
    if (started == started_stored_[n - 1]) return;
    if (const DWORD error = write_row_switch(settings_, n - 1, started)) {
        report_save_failure(error, external::kStartedNotKept);
        return;
    }
    started_stored_[n - 1] = started;
}

void MainWindow::store_trigger(int n) {
    KeyLatch& latch = hotkey_box(n);
    // What the program could not read stays in the file, unless a key was captured over it.
    if (read_error_ != ERROR_SUCCESS && latch.key_code() == 0) return;
    // Each key let go in the box comes here: one write, and one word of its failure, a capture.
    StoredTrigger shown{latch.text(), latch.key_code(), latch.mod_key_code()};
    if (shown == triggers_stored_[n - 1]) return;
    triggers_stored_[n - 1] = std::move(shown);
    if (const DWORD error = latch.save_settings())
        report_save_failure(error, external::kTriggerNotKept);
}

void MainWindow::report_save_failure(DWORD error, const wchar_t* consequence) {
    // In a balloon: a message box would take the focus, and the keys still going up, from the
    // hotkey box a capture is typed into.
    if (notify_)
        notify_(external::kSaveFailedCaption, describe_save_error(settings_, error) + consequence);
}

}  // namespace vantero
