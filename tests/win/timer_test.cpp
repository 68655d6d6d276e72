// The message-pumping delay: waits its time, keeps messages flowing, nests.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/pumping_wait.h"
#include "tests/win/key_event_log.h"

namespace vantero {
namespace {

using test::now_ms;

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

// A message-only window whose handler runs a callback inside the delay's dispatch.
struct CallbackWindow {
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_APP) {
            auto* fn = reinterpret_cast<std::function<void()>*>(lp);
            (*fn)();
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }
    CallbackWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VanteroTimerTest";
        ::RegisterClassW(&wc);
        hwnd = ::CreateWindowW(L"VanteroTimerTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    }
    ~CallbackWindow() { ::DestroyWindow(hwnd); }
    void post(std::function<void()>* fn) {
        ::PostMessageW(hwnd, WM_APP, 0, reinterpret_cast<LPARAM>(fn));
    }
    HWND hwnd;
};

TEST(PumpingWaitUnderWine, LastsItsTimeWithoutBurningTheProcessor) {
    for (double ms : {100.0, 200.0}) {
        const double cpu0 = thread_cpu_ms();
        const double t0 = now_ms();
        pumping_wait(ms);
        const double took = now_ms() - t0;
        EXPECT_GE(took, ms - 2) << ms;
        EXPECT_LE(took, ms + 150) << ms;
        EXPECT_LT(thread_cpu_ms() - cpu0, ms / 4) << "the wait spins";
    }
}

TEST(PumpingWaitUnderWine, DispatchesMessagesWhileWaiting) {
    CallbackWindow window;
    double handled_at = 0;
    std::function<void()> note = [&] { handled_at = now_ms(); };
    const double t0 = now_ms();
    window.post(&note);
    pumping_wait(200);
    ASSERT_GT(handled_at, 0) << "the posted message was not dispatched during the wait";
    EXPECT_LT(handled_at - t0, 100);
}

TEST(PumpingWaitUnderWine, NestedWaitsEachLastTheirOwnTime) {
    CallbackWindow window;
    double inner_start = 0, inner_end = 0;
    std::function<void()> inner = [&] {
        inner_start = now_ms();
        pumping_wait(150);
        inner_end = now_ms();
    };
    // The outer wait is short; the inner one outlasts it, so the outer cannot return before it.
    const double cpu0 = thread_cpu_ms();
    const double t0 = now_ms();
    window.post(&inner);
    pumping_wait(100);
    const double outer_end = now_ms();
    ASSERT_GT(inner_start, 0);
    EXPECT_GE(inner_end - inner_start, 148);
    EXPECT_GE(outer_end - t0, 98);
    EXPECT_GE(outer_end, inner_end);

    // And an outer wait that outlasts the inner one still waits its full time afterwards.
    std::function<void()> short_inner = [&] {
        inner_start = now_ms();
        pumping_wait(50);
        inner_end = now_ms();
    };
    const double t1 = now_ms();
    window.post(&short_inner);
    pumping_wait(200);
    const double outer2 = now_ms() - t1;
    EXPECT_GE(inner_end - inner_start, 48);
    EXPECT_GE(outer2, 198) << "the outer wait returned early after the inner one";
    EXPECT_LT(thread_cpu_ms() - cpu0, 150) << "a wait spun on the processor";
}

TEST(PumpingWaitUnderWine, QuitMessageSurvivesTheWait) {
    ::PostQuitMessage(7);
    pumping_wait(50);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(PumpingWaitUnderWine, InvalidTimeIsReportedWithTheWaitPrefix) {
    for (double bad : {-1.0, std::numeric_limits<double>::quiet_NaN()}) {
        try {
            pumping_wait(bad);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()).rfind("[clsWaitableTimer.Wait]", 0), 0u) << e.what();
        }
    }
}

}  // namespace
}  // namespace vantero
