#pragma once
// The program's one message loop.
#include <windows.h>

#include <functional>

namespace vantero {

// Dispatches the thread's messages until WM_QUIT and returns its exit code. Whenever timer is
// signalled, on_timer runs before the next message: a send's hold ends on time however busy the
// windows are.
int run_message_loop(HANDLE timer = nullptr, const std::function<void()>& on_timer = {});

}  // namespace vantero
