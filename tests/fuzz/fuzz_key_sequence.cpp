// Any text given to the sender: a valid parse agrees with the text, and a send presses at most
// three keys and releases each of them, in reverse order.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/key_sequence.h"
#include "app/sender.h"

namespace {

class Recorder final : public vantero::KeyOutput {
public:
    std::vector<int> down;
    int holds = 0;
    void press(std::uint8_t vk) override { down.push_back(vk); }
    void release(std::uint8_t vk) override {
        if (down.empty() || down.back() != vk) std::abort();  // not the most recent key still down
        down.pop_back();
        ++released;
    }
    void hold(int ms) override {
        if (ms != 100 && ms != 200) std::abort();
        ++holds;
    }
    int released = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto keys = vantero::parse_key_sequence(text);
    if (keys) {
        if (keys->empty() || keys->size() > 3) std::abort();
        if (text.size() < 2 || text[0] != static_cast<char>('0' + keys->size()) || text[1] != '|') std::abort();
    }
    Recorder out;
    vantero::opendo(text, out);
    if (!out.down.empty()) std::abort();
    if (out.released != static_cast<int>(keys ? keys->size() : 0)) std::abort();
    if (out.holds != (keys ? 1 : 0)) std::abort();
    return 0;
}
