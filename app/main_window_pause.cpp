// The main window's rows paused and resumed, and sends held back from a window they cannot reach.
#include <cwchar>
#include <vector>

#include "app/elevation.h"
#include "app/main_window.h"
#include "app/row_start.h"
#include "common/external_strings.h"

namespace vantero {

void MainWindow::set_paused(bool paused) {
    if (paused == paused_) return;
    paused_ = paused;
    std::vector<RowNotStarted> refused;
    for (int n = 1; n <= kRowCount; ++n) {
        if (paused) {
            hotkey_box(n).suspend_hotkey();
            continue;
        }
        if (hotkey_box(n).resume_hotkey()) continue;
        // Another program took the trigger meanwhile: the row keeps it, unticked.
        refused.push_back({n, RowRefusal::registration_refused});
        sync_check(n);
    }
    update_triggers();
    if (!refused.empty() && notify_)
        notify_(external::kBalloonTitle,
                external::kRowsNotResumed + describe_rows_not_started(refused));
}

bool MainWindow::may_send_now() {
    if (paused_) return false;
    const ForegroundProgram target = foreground_query_ ? foreground_query_() : ForegroundProgram{};
    const SendDecision decision = decide_send(own_level_, target.level, target.name, told_of_);
    if (decision.tell && notify_) {
        wchar_t text[512];
        std::swprintf(text, 512,
                      decision.restart_helps ? external::kElevatedWindow : external::kSystemWindow,
                      target.name.c_str());
        notify_(external::kBalloonTitle, text);
    }
    return decision.send;
}

}  // namespace vantero
