// Latency of a trigger: from the hotkey message reaching its control to the send's first key
// event and to its first target key-down (after the trigger's modifiers are lifted), with the
// control, the registration, the keyboard watch and the sender of the program.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/keybd_output.h"
#include "app/keyboard_watch.h"
#include "app/sender.h"
#include "hotkey/KeyLatch.h"
#include "settings/modINI.h"
#include "tests/win/key_event_log.h"

namespace {

using vantero::test::now_ms;

// The system's keyboard, noting when the send's first event and its first target key-down went.
class TimedKeys final : public vantero::KeyOutput {
public:
    explicit TimedKeys(vantero::KeyboardWatch& watch) : keys_(&watch) {}
    void send(const vantero::KeyStep& step) override {
        keys_.send(step);
        if (first_event_ms < 0) first_event_ms = now_ms();
        if (first_press_ms < 0 && step.kind == vantero::KeyStepKind::press) first_press_ms = now_ms();
    }
    void hold(int) override {}  // the latency ends at the first key-down; no need to wait
    bool user_keys_known() const { return keys_.user_keys_known(); }
    double first_event_ms = -1;
    double first_press_ms = -1;

private:
    vantero::SystemKeyOutput keys_;
};

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

}  // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int triggers = quick ? 200 : 1000;

    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VanteroBenchHost";
    ::RegisterClassW(&wc);
    HWND host = ::CreateWindowW(L"VanteroBenchHost", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100, nullptr,
                                nullptr, wc.hInstance, nullptr);

    // A stored trigger Ctrl+Alt+F9 for the control to restore.
    vantero::SetIniPath(L"bench_trigger.ini");
    vantero::WriteINI(L"KeyLatch", L"KeyLatch1Text", L"Ctrl + Alt + F9");
    vantero::WriteINI(L"KeyLatch", L"KeyLatch1KeyCode", L"120");
    vantero::WriteINI(L"KeyLatch", L"KeyLatch1ModKeyCode", L"3");
    vantero::KeyLatchLayout layout;
    layout.INIFileName = L"bench_trigger.ini";
    vantero::KeyLatch latch(host, L"KeyLatch1", RECT{0, 0, 120, 20}, layout, true);
    vantero::KeyboardWatch watch;
    watch.start();

    std::vector<double> to_first_event, to_first_target;
    latch.events.HotKeyPressed = [&] {
        const double hotkey_at = now_ms();
        TimedKeys keys(watch);
        vantero::send_key_sequence("1|65", vantero::modifiers_down(), keys.user_keys_known(), keys);
        to_first_event.push_back(keys.first_event_ms - hotkey_at);
        to_first_target.push_back(keys.first_press_ms - hotkey_at);
    };
    latch.HotKeyEnabled(true);
    if (!latch.HotKeyEnabled()) {
        std::printf("trigger latency: could not register Ctrl+Alt+F9\n");
        return 0;
    }

    for (int i = 0; i < triggers; ++i) {
        const size_t before = to_first_target.size();
        // Ctrl and Alt stay down until the send is over, as a user's hands do.
        ::keybd_event(VK_CONTROL, 0x1D, 0, 0);
        ::keybd_event(VK_MENU, 0x38, 0, 0);
        ::keybd_event(VK_F9, 0x43, 0, 0);
        const double end = now_ms() + 1000;
        while (to_first_target.size() == before && now_ms() < end) vantero::test::pump_for(1);
        ::keybd_event(VK_F9, 0x43, KEYEVENTF_KEYUP, 0);
        ::keybd_event(VK_MENU, 0x38, KEYEVENTF_KEYUP, 0);
        ::keybd_event(VK_CONTROL, 0x1D, KEYEVENTF_KEYUP, 0);
        vantero::test::pump_for(1);
    }
    latch.HotKeyEnabled(false);
    ::DeleteFileW(vantero::IniPath().c_str());

    if (to_first_target.empty()) {
        std::printf("trigger latency: no trigger arrived\n");
        return 0;
    }
    std::printf("trigger latency, hotkey message to first key event (%zu triggers): median %.4f ms, p99 %.4f ms\n",
                to_first_event.size(), percentile(to_first_event, 0.5), percentile(to_first_event, 0.99));
    std::printf("trigger latency, hotkey message to first target key-down, Ctrl and Alt lifted first%s: "
                "median %.4f ms, p99 %.4f ms\n",
                watch.running() ? "" : " (no keyboard watch: nothing lifted)", percentile(to_first_target, 0.5),
                percentile(to_first_target, 0.99));
    ::DestroyWindow(host);
    return 0;
}
