#pragma once
// What is done about a settings file another program holds for a moment, and how an attempt to
// open it for reading is judged; the system's calls are the caller's.
#include <functional>
#include <string>

namespace vantero {

// A steady clock in milliseconds and a pause of the given length.
struct RetryClock {
    std::function<unsigned long long()> now_ms;
    std::function<void(unsigned long milliseconds)> wait;
};

// Runs attempt (0 or a system error code) until it succeeds or fails for a reason other than
// another program holding the file (a virus scanner, an editor saving it), which is waited out
// for about two seconds; returns the last attempt's result.
unsigned long retry_while_held(const std::function<unsigned long()>& attempt,
                               const RetryClock& clock);

// What failing to open the file for reading with error means: nothing stored yet (not found) is
// no failure; a failure the system gives no code for is a read fault.
unsigned long judge_read_open(unsigned long error);

// The system's text for an error without the closing full stop, blanks and line break.
std::wstring trimmed_system_text(std::wstring text);

}  // namespace vantero
