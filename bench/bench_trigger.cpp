// Latency of a trigger: from the hotkey message reaching its control to the first synthetic
// key-down of the send, with the control, the registration and the sender of the program.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/keybd_output.h"
#include "app/sender.h"
#include "hotkey/KeyLatch.h"
#include "settings/modINI.h"
#include "tests/win/key_event_log.h"

namespace {

using vantero::test::now_ms;

// The system's keyboard, noting when the first key of a send went down.
class TimedKeys final : public vantero::KeyOutput {
public:
    void press(std::uint8_t vk) override {
        keys_.press(vk);
        if (first_down_ms < 0) first_down_ms = now_ms();
    }
    void release(std::uint8_t vk) override { keys_.release(vk); }
    void hold(int) override {}  // the latency ends at the first key-down; no need to wait
    double first_down_ms = -1;

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

    std::vector<double> latencies;
    double hotkey_at = 0;
    latch.events.HotKeyPressed = [&] {
        hotkey_at = now_ms();
        TimedKeys keys;
        vantero::opendo("1|65", keys);
        latencies.push_back(keys.first_down_ms - hotkey_at);
    };
    latch.HotKeyEnabled(true);
    if (!latch.HotKeyEnabled()) {
        std::printf("trigger latency: could not register Ctrl+Alt+F9\n");
        return 0;
    }

    for (int i = 0; i < triggers; ++i) {
        const size_t before = latencies.size();
        ::keybd_event(VK_CONTROL, 0, 0, 0);
        ::keybd_event(VK_MENU, 0, 0, 0);
        ::keybd_event(VK_F9, 0, 0, 0);
        ::keybd_event(VK_F9, 0, KEYEVENTF_KEYUP, 0);
        ::keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
        ::keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
        const double end = now_ms() + 1000;
        while (latencies.size() == before && now_ms() < end) vantero::test::pump_for(1);
    }
    latch.HotKeyEnabled(false);
    ::DeleteFileW(vantero::IniPath().c_str());

    if (latencies.empty()) {
        std::printf("trigger latency: no trigger arrived\n");
        return 0;
    }
    std::printf("trigger latency, hotkey message to first key-down (%zu triggers): median %.4f ms, p99 %.4f ms\n",
                latencies.size(), percentile(latencies, 0.5), percentile(latencies, 0.99));
    ::DestroyWindow(host);
    return 0;
}
