#include "settings/held_file.h"

#include "settings/failure_message.h"

namespace vantero {

unsigned long retry_while_held(const std::function<unsigned long()>& attempt,
                               const RetryClock& clock) {
    constexpr unsigned long long kRetryForMs = 2000;
    constexpr unsigned long kRetryEveryMs = 100;
    const unsigned long long start = clock.now_ms();
    for (;;) {
        const unsigned long error = attempt();
        if (!held_by_another_program(error) || clock.now_ms() - start >= kRetryForMs) return error;
        clock.wait(kRetryEveryMs);
    }
}

unsigned long judge_read_open(unsigned long error) {
    if (error == system_error::kFileNotFound || error == system_error::kPathNotFound) return 0;
    return error != 0 ? error : system_error::kReadFault;
}

std::wstring trimmed_system_text(std::wstring text) {
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' ||
                             text.back() == L'.' || text.back() == L'。')) {
        text.pop_back();
    }
    return text;
}

}  // namespace vantero
