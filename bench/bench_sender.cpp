// Hold-time accuracy of real sends, timed by the program's message loop and engine, beside a bare
// waitable-timer wait of the same length; and the processor time of an idle loop.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/message_loop.h"
#include "app/system_sender.h"
#include "bench/send_loop.h"
#include "common/key_sequence.h"
#include "common/unique_handle.h"
#include "tests/win/win_support.h"

namespace {

// The calling thread's processor time: the pause runs there, and the process's other threads
// (a hook thread ending) would land whole 10 ms ticks in a process-wide figure.
double thread_cpu_ms() {
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
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

// Sends the sequence `count` times, as a row of the program does, and measures how long the keys
// were held, as a low-level hook on another thread sees the down of the last key and the up of
// the first release.
Summary hold_errors(const char* sequence, size_t events_per_send, double target_ms, int count) {
    vantero::test::KeyEventLog log;
    std::vector<double> errors;
    vantero::SystemSender sender{
        {[sequence](int) { return vantero::TargetKeys::parse(sequence); }, {}}};
    sender.set_trigger(0, vantero::TypedChord{VK_F24, 0});
    for (int i = 0; i < count; ++i) {
        log.clear();
        sender.hotkey_pressed(0);
        vantero::bench::run_until_sent(sender);
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

// The floor of a hold: a plain waitable timer set relative to now and waited on, with nothing
// sent and no hook to see it, timed on the same clock the hook log uses.
Summary bare_wait_errors(double target_ms, int count) {
    vantero::unique_kernel_handle timer(::CreateWaitableTimerW(nullptr, TRUE, nullptr));
    if (!timer) return {NAN, NAN};
    std::vector<double> errors;
    for (int i = 0; i < count; ++i) {
        LARGE_INTEGER due;
        due.QuadPart = -static_cast<LONGLONG>(target_ms * 10000.0);  // negative: relative
        const double start = vantero::test::now_ms();
        if (!::SetWaitableTimer(timer.get(), &due, 0, nullptr, nullptr, FALSE)) return {NAN, NAN};
        ::WaitForSingleObject(timer.get(), INFINITE);
        errors.push_back(std::fabs(vantero::test::now_ms() - start - target_ms));
    }
    return summarize(errors);
}

// The same hold by bare calls: the keys pressed with keybd_event, a plain waitable-timer wait,
// the keys released, seen by the same hook. Under Wine every injected key waits for the hook's
// thread, and the hold is measured between two such events: this is the floor to compare with.
Summary bare_hold_errors(const std::vector<BYTE>& keys, double target_ms, int count) {
    vantero::test::KeyEventLog log;
    vantero::unique_kernel_handle timer(::CreateWaitableTimerW(nullptr, TRUE, nullptr));
    if (!timer) return {NAN, NAN};
    std::vector<double> errors;
    const size_t events_per_hold = keys.size() * 2;
    for (int i = 0; i < count; ++i) {
        log.clear();
        for (BYTE vk : keys) ::keybd_event(vk, 0, 0, 0);
        LARGE_INTEGER due;
        due.QuadPart = -static_cast<LONGLONG>(target_ms * 10000.0);
        ::SetWaitableTimer(timer.get(), &due, 0, nullptr, nullptr, FALSE);
        ::WaitForSingleObject(timer.get(), INFINITE);
        for (auto vk = keys.rbegin(); vk != keys.rend(); ++vk)
            ::keybd_event(*vk, 0, KEYEVENTF_KEYUP, 0);
        log.wait_for(events_per_hold, 2000);
        const auto events = log.events();
        if (events.size() < events_per_hold) continue;
        const double held = events[keys.size()].at_ms - events[keys.size() - 1].at_ms;
        errors.push_back(std::fabs(held - target_ms));
    }
    if (errors.empty()) return {NAN, NAN};
    return summarize(errors);
}

void print_hold(const char* what, int count, Summary hold, Summary bare_hold, Summary bare_wait) {
    std::printf(
        "%s, %d each: median error %.2f ms, worst %.2f ms; floor (the same keys by bare calls "
        "around a bare waitable-timer wait, seen by the same hook): median error %.2f ms, worst "
        "%.2f ms; %+.2f ms over the floor; a bare wait alone errs by %.2f ms (median)\n",
        what, count, hold.median, hold.worst, bare_hold.median, bare_hold.worst,
        hold.median - bare_hold.median, bare_wait.median);
}

}  // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int sends = quick ? 50 : 200;

    print_hold("hold 100 ms (1 key)", sends, hold_errors("1|65", 2, 100, sends),
               bare_hold_errors({'A'}, 100, sends), bare_wait_errors(100, sends));
    print_hold("hold 200 ms (2 keys)", sends, hold_errors("2|17|65", 4, 200, sends),
               bare_hold_errors({VK_CONTROL, 'A'}, 200, sends), bare_wait_errors(200, sends));

    // The loop with nothing to do for a second: a timer of the system's own ends it.
    vantero::SystemSender idle{{}};
    const double cpu0 = thread_cpu_ms();
    ::SetTimer(nullptr, 0, 1000, [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); });
    vantero::run_message_loop(idle.timer(), [&idle] { idle.wake(); });
    std::printf("processor time of the message loop idle for 1 s: %.2f ms\n",
                thread_cpu_ms() - cpu0);
    return 0;
}
