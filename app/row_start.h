#pragma once
// Whether a row may start (its "启动" ticked and its trigger registered), and how rows that could
// not start at a restore are named to the user.
#include <string>
#include <vector>

namespace vantero {

// What keeps a row from starting; none when it may start.
enum class RowRefusal {
    none,
    no_trigger,            // nothing captured in the hotkey box
    unnamed_trigger,       // a key the keyboard gives no name: the user cannot tell what it is
    no_target,             // no valid target keys
    needs_confirmation,    // a trigger that takes a key away from typing, not yet confirmed
    registration_refused,  // another program holds the combination
};

struct RowFacts {
    int trigger_key = 0;            // virtual-key code, 0 when nothing is captured
    bool trigger_named = false;     // the hotkey box shows a name for it
    bool target_valid = false;      // the target keys parse
    bool typing_trigger = false;    // the trigger is a key used for typing
    bool typing_confirmed = false;  // the user said yes to that already
};

// The checks before a registration, in the order a click makes them.
RowRefusal check_row_start(const RowFacts& row);

struct RowNotStarted {
    int row_number;  // 1 to 9
    RowRefusal reason;
};

// One notification's text naming each row that could not start and why, one row a line; empty
// when every row started.
std::wstring describe_rows_not_started(const std::vector<RowNotStarted>& rows);

}  // namespace vantero
