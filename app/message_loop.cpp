#include "app/message_loop.h"

namespace vantero {

int run_message_loop(HANDLE timer, const std::function<void()>& on_timer) {
    for (;;) {
        const DWORD handles = timer ? 1 : 0;
        // Returns at once while messages wait, but a signalled timer comes first.
        const DWORD woke = ::MsgWaitForMultipleObjectsEx(handles, &timer, INFINITE, QS_ALLINPUT,
                                                         MWMO_INPUTAVAILABLE);
        if (handles && woke == WAIT_OBJECT_0) {
            if (on_timer) on_timer();
            continue;
        }
        if (woke == WAIT_FAILED) timer = nullptr;  // a timer it cannot wait on: messages only
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) continue;
        if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace vantero
