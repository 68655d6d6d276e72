#pragma once
// The sends as the system carries them out: the engine's key steps typed through the keyboard,
// its hold timed by one waitable timer that the program's message loop waits on, and the user's
// keys watched by a keyboard hook while any row is enabled.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/keyboard_watch.h"
#include "app/send_engine.h"
#include "app/system_key_output.h"
#include "common/unique_handle.h"

namespace vantero {

class SystemSender final : private SendPort {
public:
    struct Rows {
        // Row's target keys if it may send now (a window that would drop them: nothing).
        std::function<std::optional<TargetKeys>(int row)> keys_to_send;
        // Row's hotkey lets go while a send types it (true) and is taken back after (false).
        std::function<void(int row, bool silenced)> silence_trigger;
    };
    explicit SystemSender(Rows rows);
    ~SystemSender() override;
    SystemSender(const SystemSender&) = delete;
    SystemSender& operator=(const SystemSender&) = delete;

    // An enabled row's trigger, or nothing for a row that is not.
    void set_trigger(int row, std::optional<TypedChord> trigger);
    // A row's registered hotkey fired.
    void hotkey_pressed(int row);
    // A send's keys go up now; no send starts any more.
    void close();
    bool sending() const { return engine_.sending(); }

    // Signalled when the engine is due: the message loop waits on it and then calls wake().
    HANDLE timer() const { return timer_.get(); }
    void wake();

private:
    class Listener;

    std::optional<SendStart> begin_send(int row) override;
    void type(const KeyStep& step) override;
    void end_send() override;
    void silence_trigger(int row, bool silenced) override;
    void user_trigger(int row);
    // Sets the timers for the engine's next wake-up, or stops them.
    void arm();
    void update_watch();
    Micros now() const;

    Rows rows_;
    KeyboardWatch watch_;
    SendEngine engine_{*this};
    std::optional<SystemKeyOutput> keys_;  // the keyboard of the send in progress
    unique_kernel_handle timer_;
    std::unique_ptr<Listener> listener_;
    LARGE_INTEGER frequency_{};
};

}  // namespace vantero
