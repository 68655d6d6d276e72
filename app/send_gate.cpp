#include "app/send_gate.h"

#include <algorithm>

namespace vantero {
namespace {

bool contains(const auto& rows, int row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

}  // namespace

void SendGate::trigger(int row, bool maybe_typed) {
    if (closed_) return;
    if (!sending_) {
        run(row);
        return;
    }
    if (row == current_ || contains(waiting_, row)) return;
    if (maybe_typed && contains(sent_since_idle_, row)) return;
    waiting_.push_back(row);
}

void SendGate::after_sends(std::function<void()> action) {
    if (sending_) {
        actions_.push_back(std::move(action));
    } else {
        action();
    }
}

void SendGate::close() {
    closed_ = true;
    waiting_.clear();
}

void SendGate::run(int row) {
    sending_ = true;
    auto idle_again = [this] {
        sending_ = false;
        current_ = -1;
        waiting_.clear();
        sent_since_idle_.clear();
    };
    try {
        for (;;) {
            current_ = row;
            sent_since_idle_.push_back(row);
            send_(row);
            if (waiting_.empty()) break;
            row = waiting_.front();
            waiting_.pop_front();
        }
    } catch (...) {
        idle_again();
        throw;
    }
    idle_again();
    // What waited for the keys may start sends of its own: the gate is idle for it.
    std::vector<std::function<void()>> actions;
    actions.swap(actions_);
    for (auto& action : actions) action();
}

}  // namespace vantero
