#include "app/single_instance.h"

#include "common/external_strings.h"

namespace vantero {
namespace {

constexpr int kRetryMs = 100;
constexpr int kRetries = 600;  // a minute: the other copy may ask about a failed save

}  // namespace

SingleInstance::SingleInstance(bool wait_for_previous) {
    for (int attempt = 0;; ++attempt) {
        mutex_.reset(::CreateMutexW(nullptr, FALSE, external::kSingleInstanceMutex));
        first_ = mutex_ && ::GetLastError() != ERROR_ALREADY_EXISTS;
        if (first_ || !wait_for_previous || attempt == kRetries) return;
        mutex_.reset();
        ::Sleep(kRetryMs);
    }
}

void show_first_copy() {
    const UINT show_main = ::RegisterWindowMessageW(external::kShowMainMessage);
    // The first copy may be starting still: its tray window comes soon after its mark.
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (HWND tray = ::FindWindowW(external::kTrayClass, external::kTrayCaption)) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(tray, &process);
            // This copy was just started by the user: it may hand the foreground on.
            ::AllowSetForegroundWindow(process);
            ::PostMessageW(tray, show_main, 0, 0);
            return;
        }
        ::Sleep(kRetryMs);
    }
}

}  // namespace vantero
