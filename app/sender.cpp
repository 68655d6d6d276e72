#include "app/sender.h"

#include <cstddef>
#include <vector>

#include "app/key_sequence.h"

namespace vantero {

namespace {

// Releases whatever has been pressed so far, last first, however the sending ends: a key must
// never stay down in the system because hold() or press() threw.
class ReleaseGuard {
  public:
    explicit ReleaseGuard(KeyOutput& out) : out_(out) {}
    ReleaseGuard(const ReleaseGuard&) = delete;
    ReleaseGuard& operator=(const ReleaseGuard&) = delete;

    void pressed(std::uint8_t key) { pressed_.push_back(key); }

    ~ReleaseGuard() {
        for (auto it = pressed_.rbegin(); it != pressed_.rend(); ++it) {
            // Keep releasing the rest even if one release fails; a destructor must not throw.
            try {
                out_.release(*it);
            } catch (...) {
            }
        }
    }

  private:
    KeyOutput& out_;
    std::vector<std::uint8_t> pressed_;
};

}  // namespace

int hold_time_for(std::size_t key_count) {
    return key_count <= 1 ? 100 : 200;
}

int opendo(const std::string& textall, KeyOutput& out) {
    auto keys = parse_key_sequence(textall);
    if (!keys) return 0;

    ReleaseGuard guard(out);
    for (std::uint8_t key : *keys) {
        guard.pressed(key);  // noted first: nothing may throw between a press and its note
        out.press(key);
    }
    out.hold(hold_time_for(keys->size()));
    return 0;
}

}  // namespace vantero
