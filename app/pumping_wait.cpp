#include "app/pumping_wait.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "common/external_strings.h"
#include "common/unique_handle.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace vantero {
namespace {

// QS_KEY through QS_HOTKEY: every kind of input except raw input.
constexpr DWORD kWakeMask = 0xFF;

// A high-resolution timer where the system offers one (it keeps hold times within a
// millisecond or so); otherwise an ordinary manual-reset timer.
unique_kernel_handle create_timer() {
    HANDLE h = ::CreateWaitableTimerExW(
        nullptr, nullptr,
        CREATE_WAITABLE_TIMER_MANUAL_RESET | CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
        TIMER_ALL_ACCESS);
    if (!h) h = ::CreateWaitableTimerW(nullptr, TRUE, nullptr);
    return unique_kernel_handle(h);
}

// A clock that setting the time of day cannot move.
ULONGLONG now_100ns() {
    return ::GetTickCount64() * 10000;
}

// Inside the system's move/size or menu loop (a trigger fired during a drag or while a menu is
// open), mouse and keyboard input belongs to that loop: taking its button-up would leave the
// window following the pointer.
bool in_system_modal_loop() {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(::GetCurrentThreadId(), &info) &&
           (info.flags & (GUI_INMOVESIZE | GUI_INMENUMODE)) != 0;
}

// Dispatches every pending message of the thread. A WM_QUIT is kept for the caller, which
// posts it again once the wait is over so the message loop still sees it.
void dispatch_pending(bool& quit_seen, WPARAM& quit_code, bool leave_input) {
    const UINT which = leave_input ? (PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE | PM_QS_PAINT) : 0;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | which)) {
        if (msg.message == WM_QUIT) {
            quit_seen = true;
            quit_code = msg.wParam;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace

void pumping_wait(double milliseconds) {
    if (!std::isfinite(milliseconds) || milliseconds < 0 || milliseconds > 1e9) {
        throw std::invalid_argument(std::string(external::kWaitErrorPrefix) +
                                    "Invalid procedure call or argument");
    }
    const auto duration_100ns = static_cast<LONGLONG>(milliseconds * 10000.0);
    const ULONGLONG deadline = now_100ns() + static_cast<ULONGLONG>(duration_100ns);
    LARGE_INTEGER frequency, start, set_at;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);

    unique_kernel_handle timer = create_timer();
    if (timer) {
        // The time the timer took to create is part of the hold already.
        ::QueryPerformanceCounter(&set_at);
        const LONGLONG spent_100ns =
            (set_at.QuadPart - start.QuadPart) * 10000000 / frequency.QuadPart;
        LARGE_INTEGER due;
        due.QuadPart = -std::max<LONGLONG>(duration_100ns - spent_100ns, 1);  // negative: relative
        if (!::SetWaitableTimer(timer.get(), &due, 0, nullptr, nullptr, FALSE)) timer.reset();
    }

    bool quit_seen = false;
    WPARAM quit_code = 0;
    const bool leave_input = in_system_modal_loop();
    // Input left in the queue must not wake the wait again and again: then only new input counts.
    const DWORD wait_flags = leave_input ? 0 : MWMO_INPUTAVAILABLE;
    for (;;) {
        DWORD result;
        if (timer) {
            HANDLE h = timer.get();
            result = ::MsgWaitForMultipleObjectsEx(1, &h, INFINITE, kWakeMask, wait_flags);
            // A timer the system cannot wait on: finish the wait on the clock instead.
            if (result == WAIT_FAILED) timer.reset();
        } else {
            // No timer: sleep on the message queue alone, until the deadline.
            const ULONGLONG now = now_100ns();
            const DWORD remaining =
                now >= deadline ? 0 : static_cast<DWORD>((deadline - now + 9999) / 10000);
            result = remaining == 0 ? WAIT_OBJECT_0
                                    : ::MsgWaitForMultipleObjectsEx(0, nullptr, remaining,
                                                                    kWakeMask, wait_flags);
            if (result == WAIT_TIMEOUT) result = WAIT_OBJECT_0;
        }
        dispatch_pending(quit_seen, quit_code, leave_input);
        if (result == WAIT_OBJECT_0) break;
    }
    if (quit_seen) ::PostQuitMessage(static_cast<int>(quit_code));
}

}  // namespace vantero
