#pragma once
// Whether a send may go to the focused window: Windows drops the keys a program types into a
// window whose process runs at a higher integrity level, without a word.
#include <optional>
#include <set>
#include <string>

namespace vantero {

struct SendDecision {
    bool send = true;
    bool tell = false;  // say why, the first time for this program
    // A restart as administrator would reach it: this program runs below the high level.
    bool restart_helps = false;
};

// Levels are the system's mandatory-level numbers (medium 0x2000, high 0x3000); unknown levels
// let the send go, as before. told holds the programs already told of, their names folded to
// lower case; a program told of is added.
SendDecision decide_send(std::optional<unsigned long> own_level,
                         std::optional<unsigned long> target_level, const std::wstring& program,
                         std::set<std::wstring>& told);

}  // namespace vantero
