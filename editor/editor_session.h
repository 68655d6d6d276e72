#pragma once
// One opening of the editor on a row: what it starts from, what saving writes into the row and
// into set.ini, and what the window does with its controls' notifications.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/key_sequence.h"
#include "editor/editor_host.h"
#include "editor/editor_model.h"

namespace vantero {

// A write to set.ini: 0 when stored, else the system's error code.
using SettingsWrite = std::function<unsigned long()>;
// Asks the user about a failed write: true to try again, false to keep what the row shows.
using AskRetry = std::function<bool(unsigned long error)>;

// Runs write until it succeeds or the user gives up; a failure is never kept quiet.
void store_until_given_up(const SettingsWrite& write, const AskRetry& ask_retry);

// Where a row's keys and remark go in set.ini.
struct EditorWrites {
    std::function<unsigned long(int row, const std::wstring& display_text,
                                const std::optional<TargetKeys>& keys)>
        keys;
    std::function<unsigned long(int row, const std::wstring& remark)> remark;
    AskRetry ask_retry;
};

class EditorSession {
public:
    EditorSession(EditorHost& host, EditorWrites writes)
        : host_(host), writes_(std::move(writes)) {}

    // Starts on what row k (0 to 8) holds now, not on what the last row left; false for any
    // other index.
    bool open(int row_index);
    const std::wstring& opened_remark() const { return opened_remark_; }
    EditorModel& model() { return model_; }

    // Changed picks go into the row, then the file; unchanged ones leave the row exactly as it
    // was. The editor goes back to the main window either way.
    void save_keys();
    // A refused remark returns its reason and the editor stays on it; anything else is done.
    std::optional<std::wstring> save_remark(std::wstring_view typed, const HoldsCharacter& holds);

    // Unloading drops every pick.
    void forget() { model_ = EditorModel{}; }

private:
    EditorHost& host_;
    EditorWrites writes_;
    int row_ = 0;
    EditorModel model_;
    std::wstring opened_remark_;
};

// What a control's notification asks of the editor. The codes are the system's: a list's pick
// (CBN_SELCHANGE) and its closing (CBN_CLOSEUP), a button's click (BN_CLICKED).
inline constexpr int kListPicked = 1;
inline constexpr int kListClosedUp = 8;
inline constexpr int kButtonClicked = 0;
enum class EditorCommand { none, read_pick, save_keys, save_remark, close };
// selector: which list to read again, for read_pick.
EditorCommand editor_command(int control_id, int code, int& selector);

}  // namespace vantero
