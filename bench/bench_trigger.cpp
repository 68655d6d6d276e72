// Latency of a trigger: from the hotkey message reaching its control to the send's first target
// key-down (after the trigger's modifiers are lifted: the send's first steps are typed before the
// trigger's call returns), with the control, the registration, the keyboard watch and the sender
// of the program; idle, and again with every core kept busy.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "app/system_sender.h"
#include "bench/send_loop.h"
#include "common/key_sequence.h"
#include "hotkey/key_latch.h"
#include "settings/settings_file.h"
#include "tests/win/win_support.h"

namespace {

using vantero::test::now_ms;

// A low-level keyboard hook that does nothing, on a thread of its own: the floor of typing keys
// while any such hook runs (under Wine every key event waits for the hook's thread).
class BareHook {
public:
    BareHook() {
        thread_ = std::thread([this] {
            thread_id_ = ::GetCurrentThreadId();
            MSG msg;
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
            HHOOK hook = ::SetWindowsHookExW(
                WH_KEYBOARD_LL,
                [](int code, WPARAM w, LPARAM l) { return ::CallNextHookEx(nullptr, code, w, l); },
                ::GetModuleHandleW(nullptr), 0);
            ready_ = true;
            while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
            ::UnhookWindowsHookEx(hook);
        });
        while (!ready_) ::Sleep(1);
    }
    ~BareHook() {
        ::PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
        thread_.join();
    }

private:
    std::thread thread_;
    std::atomic<DWORD> thread_id_{0};
    std::atomic<bool> ready_{false};
};

// Every core kept busy by a spinning thread of normal priority, for as long as this lives.
class BusyCores {
public:
    BusyCores() {
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        for (unsigned i = 0; i < cores; ++i) {
            threads_.emplace_back([this] {
                while (!stop_.load(std::memory_order_relaxed)) {
                }
            });
        }
    }
    ~BusyCores() {
        stop_ = true;
        for (auto& thread : threads_) thread.join();
    }
    size_t count() const { return threads_.size(); }

private:
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

struct Latencies {
    std::vector<double> to_first_target;
};

// Presses the latch's Ctrl+Alt+F9 again and again; each press sends "1|65" while Ctrl and Alt
// stay down, as a user's hands do; the keyboard watch sees them, so they are lifted first.
// Each send holds its key for its hold time before the next trigger.
Latencies trigger(vantero::KeyLatch& latch, int triggers) {
    Latencies latencies;
    vantero::SystemSender sender{{[](int) { return vantero::TargetKeys::parse("1|65"); }, {}}};
    sender.set_trigger(0, vantero::TypedChord{VK_F9, MOD_CONTROL | MOD_ALT});
    latch.events.on_hotkey_pressed = [&] {
        const double hotkey_at = now_ms();
        sender.hotkey_pressed(0);
        if (sender.sending()) latencies.to_first_target.push_back(now_ms() - hotkey_at);
    };
    for (int i = 0; i < triggers; ++i) {
        const size_t before = latencies.to_first_target.size();
        ::keybd_event(VK_CONTROL, 0x1D, 0, 0);
        ::keybd_event(VK_MENU, 0x38, 0, 0);
        ::keybd_event(VK_F9, 0x43, 0, 0);
        const double end = now_ms() + 1000;
        while (latencies.to_first_target.size() == before && now_ms() < end)
            vantero::test::pump_for(1);
        vantero::bench::run_until_sent(sender);
        ::keybd_event(VK_F9, 0x43, KEYEVENTF_KEYUP, 0);
        ::keybd_event(VK_MENU, 0x38, KEYEVENTF_KEYUP, 0);
        ::keybd_event(VK_CONTROL, 0x1D, KEYEVENTF_KEYUP, 0);
        vantero::test::pump_for(1);
    }
    latch.events.on_hotkey_pressed = nullptr;
    return latencies;
}

// The floor: the five key events before a send's target key-down is done (the mask tapped, Ctrl
// and Alt lifted, A pressed), typed by bare calls beside a hook that does nothing.
std::vector<double> bare_lift_and_press(int times) {
    std::vector<double> floor;
    BareHook hook;
    for (int i = 0; i < times; ++i) {
        ::keybd_event(VK_CONTROL, 0x1D, 0, 0);
        ::keybd_event(VK_MENU, 0x38, 0, 0);
        vantero::test::pump_for(1);
        const double start = now_ms();
        ::keybd_event(vantero::kVkMaskKey, 0, 0, 0);
        ::keybd_event(vantero::kVkMaskKey, 0, KEYEVENTF_KEYUP, 0);
        ::keybd_event(VK_CONTROL, 0x1D, KEYEVENTF_KEYUP, 0);
        ::keybd_event(VK_MENU, 0x38, KEYEVENTF_KEYUP, 0);
        ::keybd_event('A', 0x1E, 0, 0);
        floor.push_back(now_ms() - start);
        ::keybd_event('A', 0x1E, KEYEVENTF_KEYUP, 0);
        vantero::test::pump_for(1);
    }
    return floor;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

}  // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int triggers = quick ? 100 : 300;

    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VanteroBenchHost";
    ::RegisterClassW(&wc);
    HWND host = ::CreateWindowW(L"VanteroBenchHost", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100,
                                nullptr, nullptr, wc.hInstance, nullptr);

    // A stored trigger Ctrl+Alt+F9 for the control to restore.
    const vantero::IniLocation ini =
        vantero::locate_beside(vantero::program_path(), L"bench_trigger.ini");
    vantero::write_setting(ini, L"KeyLatch", L"KeyLatch1Text", L"Ctrl + Alt + F9");
    vantero::write_setting(ini, L"KeyLatch", L"KeyLatch1KeyCode", L"120");
    vantero::write_setting(ini, L"KeyLatch", L"KeyLatch1ModKeyCode", L"3");
    vantero::KeyLatchLayout layout;
    layout.ini_file_name = L"bench_trigger.ini";
    vantero::KeyLatch latch(host, L"KeyLatch1", RECT{0, 0, 120, 20}, layout, true, ini);
    latch.hotkey_enabled(true);
    if (!latch.hotkey_enabled()) {
        std::printf("trigger latency: could not register Ctrl+Alt+F9\n");
        return 0;
    }

    const Latencies watched = trigger(latch, triggers);
    size_t busy_threads = 0;
    Latencies loaded;
    {
        BusyCores busy;
        busy_threads = busy.count();
        loaded = trigger(latch, triggers);
    }
    latch.hotkey_enabled(false);
    ::DeleteFileW(ini.used.c_str());
    const std::vector<double> floor = bare_lift_and_press(triggers);
    std::vector<double> loaded_floor;
    {
        BusyCores busy;
        loaded_floor = bare_lift_and_press(triggers);
    }

    if (watched.to_first_target.empty() || loaded.to_first_target.empty()) {
        std::printf("trigger latency: no trigger arrived\n");
        return 0;
    }
    const double target = percentile(watched.to_first_target, 0.5);
    std::printf(
        "trigger latency, hotkey message to first target key-down, Ctrl and Alt lifted first "
        "(%zu triggers): median %.4f ms, p99 %.4f ms; floor (the same five key events by bare "
        "calls beside a do-nothing low-level hook): median %.4f ms, p99 %.4f ms; %.2f × the "
        "floor\n",
        watched.to_first_target.size(), target, percentile(watched.to_first_target, 0.99),
        percentile(floor, 0.5), percentile(floor, 0.99), target / percentile(floor, 0.5));
    const double loaded_target = percentile(loaded.to_first_target, 0.5);
    std::printf(
        "trigger latency under load, the same with %zu busy threads of normal priority (%zu "
        "triggers): median %.4f ms, p99 %.4f ms (idle: median %.4f ms, p99 %.4f ms); floor under "
        "the same load: median %.4f ms, p99 %.4f ms; %.2f × the floor\n",
        busy_threads, loaded.to_first_target.size(), loaded_target,
        percentile(loaded.to_first_target, 0.99), target, percentile(watched.to_first_target, 0.99),
        percentile(loaded_floor, 0.5), percentile(loaded_floor, 0.99),
        loaded_target / percentile(loaded_floor, 0.5));
    ::DestroyWindow(host);
    return 0;
}
