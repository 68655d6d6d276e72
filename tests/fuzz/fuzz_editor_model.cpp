// Any series of picks in the editor: what saving writes is a key-sequence string the sender
// accepts, with one code per name in the display text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/key_sequence.h"
#include "editor/editor_model.h"
#include "editor/key_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vantero::EditorModel model;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const int selector = data[i] % 4;  // 3 stands for a selector that does not exist
        const auto& names =
            selector == 0 ? vantero::first_key_list_names() : vantero::other_key_list_names();
        model.pick(selector, names[data[i + 1] % names.size()]);
    }
    const auto saved = model.save();
    if (!saved) {
        if (!model.picked(0).empty()) std::abort();
        return 0;
    }
    const auto keys = vantero::parse_key_sequence(saved->key_sequence);
    if (!keys) std::abort();
    std::size_t names = 1;
    for (std::size_t at = saved->display_text.find(" + "); at != std::string::npos;
         at = saved->display_text.find(" + ", at + 3)) {
        ++names;
    }
    // "+" is a key name too: "Ctrl + +" has two names but three " + "-looking parts at most.
    if (saved->display_text.find("+ +") == std::string::npos && names != keys->size()) std::abort();
    return 0;
}
