#include "app/system_sender.h"

#include <algorithm>

#include "common/window_base.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace vantero {
namespace {

constexpr UINT kUserTrigger = WM_APP + 1;  // from the keyboard watch; wParam: row index
constexpr UINT_PTR kModalLoopTimer = 1;
// A menu, a message box or a drag runs a message loop of the system's own, which does not wait
// on the engine's timer but dispatches WM_TIMER: this coarser timer, a little later, ends a
// hold there.
constexpr Micros kModalLoopSlackUs = 10'000;

// An auto-reset timer: a wait it ends resets it. High resolution where the system offers it:
// hold times stay within a millisecond or so.
HANDLE create_timer() {
    HANDLE timer = ::CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                            TIMER_ALL_ACCESS);
    return timer ? timer : ::CreateWaitableTimerW(nullptr, FALSE, nullptr);
}

}  // namespace

// A message-only window: hears the keyboard watch's triggers and the modal loops' timer.
class SystemSender::Listener final : public WindowBase {
public:
    explicit Listener(SystemSender& sender) : sender_(sender) {
        create(L"VanteroSendListener", 0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE);
    }
    ~Listener() override { destroy(); }

private:
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == kUserTrigger) {
            sender_.user_trigger(static_cast<int>(wparam));
            return 0;
        }
        if (message == WM_TIMER && wparam == kModalLoopTimer) {
            sender_.wake();
            return 0;
        }
        return WindowBase::handle(message, wparam, lparam);
    }
    SystemSender& sender_;
};

SystemSender::SystemSender(Rows rows)
    : rows_(std::move(rows)), timer_(create_timer()), listener_(std::make_unique<Listener>(*this)) {
    ::QueryPerformanceFrequency(&frequency_);
    watch_.set_listener(listener_->hwnd(), kUserTrigger);
}

SystemSender::~SystemSender() {
    close();
}

Micros SystemSender::now() const {
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    const LONGLONG f = frequency_.QuadPart;
    return counter.QuadPart / f * 1'000'000 + counter.QuadPart % f * 1'000'000 / f;
}

void SystemSender::set_trigger(int row, std::optional<TypedChord> trigger) {
    engine_.set_trigger(row, trigger);
    watch_.set_trigger(row, trigger ? trigger->virtual_key : 0, trigger ? trigger->modifiers : 0);
    update_watch();
}

void SystemSender::hotkey_pressed(int row) {
    engine_.trigger(row, false, now());
    arm();
}

void SystemSender::user_trigger(int row) {
    // As if the system had seen the hotkey: the send's keys hid it.
    engine_.trigger(row, true, now());
    arm();
}

void SystemSender::wake() {
    engine_.tick(now());
    arm();
}

void SystemSender::close() {
    engine_.close();
    arm();
    watch_.stop();
}

void SystemSender::arm() {
    const std::optional<Micros> due = engine_.wake_at();
    HWND listener = listener_->hwnd();
    if (!due) {
        if (timer_) ::CancelWaitableTimer(timer_.get());
        if (listener) ::KillTimer(listener, kModalLoopTimer);
        return;
    }
    const Micros wait = std::max<Micros>(*due - now(), 1);
    if (timer_) {
        LARGE_INTEGER relative;
        relative.QuadPart = -wait * 10;  // negative: relative, in 100 ns
        if (!::SetWaitableTimer(timer_.get(), &relative, 0, nullptr, nullptr, FALSE))
            timer_.reset();
    }
    const Micros coarse = wait + (timer_ ? kModalLoopSlackUs : 0);
    if (listener)
        ::SetTimer(listener, kModalLoopTimer, static_cast<UINT>((coarse + 999) / 1000), nullptr);
}

void SystemSender::update_watch() {
    bool any_enabled = false;
    for (int k = 0; k < kRowCount; ++k) any_enabled = any_enabled || engine_.has_trigger(k);
    // Not under a send's feet: the steps still to come ask it what the user holds.
    if (any_enabled && !engine_.closed()) {
        watch_.start();
    } else if (!engine_.sending()) {
        watch_.stop();
    }
}

std::optional<SendStart> SystemSender::begin_send(int row) {
    std::optional<TargetKeys> keys = rows_.keys_to_send ? rows_.keys_to_send(row) : std::nullopt;
    if (!keys) return std::nullopt;
    // Made before the modifiers are read: it lets the last send's keys settle.
    keys_.emplace(&watch_);
    return SendStart{std::move(*keys), modifiers_down(), keys_->user_keys_known()};
}

void SystemSender::type(const KeyStep& step) {
    if (keys_) keys_->send(step);
}

void SystemSender::end_send() {
    const bool watch_lost = keys_ && keys_->watch_lost();
    keys_.reset();  // the send's end mark
    // The system removes a hook it found too slow, without a word: install it again.
    if (watch_lost) watch_.stop();
    update_watch();
}

void SystemSender::silence_trigger(int row, bool silenced) {
    if (rows_.silence_trigger) rows_.silence_trigger(row, silenced);
}

}  // namespace vantero
