#pragma once
// The program's message loop for a benchmark: runs until the sender is idle again (or the time
// is up), waking the sender when its timer falls due, as the program's loop does.
#include <windows.h>

#include "app/message_loop.h"
#include "app/system_sender.h"

namespace vantero::bench {

inline void run_until_sent(SystemSender& sender, UINT timeout_ms = 2000) {
    const UINT_PTR give_up = ::SetTimer(nullptr, 0, timeout_ms,
                                        [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); });
    if (sender.sending()) {
        run_message_loop(sender.timer(), [&sender] {
            sender.wake();
            if (!sender.sending()) ::PostQuitMessage(0);
        });
    }
    ::KillTimer(nullptr, give_up);
}

}  // namespace vantero::bench
