// Hold-time accuracy of real sends and the processor time of an idle delay.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/pumping_wait.h"
#include "app/sender.h"
#include "app/system_key_output.h"
#include "tests/win/win_support.h"

namespace {

double process_cpu_ms() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               1e4;
    };
    return ms(kernel) + ms(user);
}

struct Summary {
    double median, worst;
};

Summary summarize(std::vector<double> errors) {
    std::sort(errors.begin(), errors.end());
    return {errors[errors.size() / 2], errors.back()};
}

// Sends the sequence `count` times and measures how long the keys were held, as a low-level
// hook on another thread sees the down of the last key and the up of the first release.
Summary hold_errors(const char* sequence, size_t events_per_send, double target_ms, int count) {
    vantero::test::KeyEventLog log;
    std::vector<double> errors;
    for (int i = 0; i < count; ++i) {
        log.clear();
        {
            vantero::SystemKeyOutput keys(nullptr);
            vantero::send_key_sequence(sequence, {}, false, keys);
        }
        log.wait_for(events_per_send, 2000);
        const auto events = log.events();
        if (events.size() < events_per_send) continue;
        const double held =
            events[events_per_send / 2].at_ms - events[events_per_send / 2 - 1].at_ms;
        errors.push_back(std::fabs(held - target_ms));
    }
    if (errors.empty()) return {NAN, NAN};
    return summarize(errors);
}

}  // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int sends = quick ? 50 : 200;

    const Summary one = hold_errors("1|65", 2, 100, sends);
    std::printf("hold 100 ms (1 key, %d sends): median error %.2f ms, worst %.2f ms\n", sends,
                one.median, one.worst);
    const Summary two = hold_errors("2|17|65", 4, 200, sends);
    std::printf("hold 200 ms (2 keys, %d sends): median error %.2f ms, worst %.2f ms\n", sends,
                two.median, two.worst);

    const double cpu0 = process_cpu_ms();
    vantero::pumping_wait(1000);
    std::printf("processor time during a 1 s Pause: %.2f ms\n", process_cpu_ms() - cpu0);
    return 0;
}
