#pragma once
// Which sends run, and when: one at a time, so that the focused window receives each row's
// chord whole and every key a send pressed is released before anything else happens.
//
// - A trigger that arrives while no send runs starts its row's send at once.
// - While a send runs (its keys held, its wait dispatching messages), another row's trigger
//   waits in a queue and runs, in order, once the send has released its keys. The sending row's
//   own trigger (the keyboard's auto-repeat of a held trigger) is dropped, and so is a trigger of
//   a row already waiting: at most one send per row waits.
// - A trigger that may come from the program's own typing (a target that is another row's
//   trigger) waits only if its row has not sent since the gate was last idle: rows that type
//   each other's triggers send once each, not for ever.
// - Whatever would keep a send's keys down until it returns (a menu, a message box, a drag, the
//   end of the program) waits until no send runs and none waits.
#include <deque>
#include <functional>
#include <vector>

namespace vantero {

class SendGate {
public:
    // Types a row's target keys; it may dispatch messages, and so call the gate again.
    using Send = std::function<void(int row)>;

    explicit SendGate(Send send) : send_(std::move(send)) {}

    // maybe_typed: the trigger came while a send typed keys, and may be those keys.
    void trigger(int row, bool maybe_typed);
    // Runs the action now, or once no send runs and none waits.
    void after_sends(std::function<void()> action);
    bool sending() const { return sending_; }
    // The program is ending: no send starts any more, and those waiting are dropped.
    void close();

private:
    void run(int row);

    Send send_;
    bool sending_ = false;
    bool closed_ = false;
    int current_ = -1;
    std::deque<int> waiting_;
    std::vector<int> sent_since_idle_;
    std::vector<std::function<void()>> actions_;
};

}  // namespace vantero
