#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "editor/key_names.h"

namespace vantero {
namespace {

const std::vector<std::string> kMods = {"Shift", "Ctrl",      "Alt",   "Win",
                                        "Enter", "Backspace", "Space", "ESC"};
const std::vector<std::string> kLetters = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                           "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                           "S", "T", "U", "V", "W", "X", "Y", "Z"};
const std::vector<std::string> kTail = {"LEFT", "Right", "UP",  "BOTTOM", "+",   "-",   "*",
                                        "/",    "L-1",   "L-2", "L-3",    "L-4", "L-5", "L-6",
                                        "L-7",  "L-8",   "L-9", "L-0",    "R-1", "R-2", "R-3",
                                        "R-4",  "R-5",   "R-6", "R-7",    "R-8", "R-9", "R-0"};
// Codes in the order of kMods + kLetters + kTail.
const std::vector<int> kCodes = {16, 17, 18, 91,  13,  8,   32,  27,                        //
                                 65, 66, 67, 68,  69,  70,  71,  72,  73,  74, 75, 76, 77,  //
                                 78, 79, 80, 81,  82,  83,  84,  85,  86,  87, 88, 89, 90,  //
                                 37, 39, 38, 40,  107, 109, 106, 111,                       //
                                 49, 50, 51, 52,  53,  54,  55,  56,  57,  48,              //
                                 97, 98, 99, 100, 101, 102, 103, 104, 105, 96};

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(Keyfunc, EveryNamedKeyHasItsCode) {
    const auto names = concat({kMods, kLetters, kTail});
    ASSERT_EQ(names.size(), kCodes.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(key_code_of(names[i]), kCodes[i]) << names[i];
}

TEST(Keyfunc, NamesMatchExactly) {
    for (const char* name :
         {"",       "a",    "z",  "left", "Left",   "Esc",  "esc", "shift", "CTRL", "Up",
          "Bottom", "Down", " A", "A ",   "Enter ", "L-10", "L1",  "R-",    "0",    "AB"}) {
        EXPECT_FALSE(key_code_of(name).has_value()) << '"' << name << '"';
    }
}

TEST(Keyfunc, SelectorLists) {
    EXPECT_EQ(first_key_list_names(), concat({{""}, kMods, kLetters, kTail}));
    EXPECT_EQ(other_key_list_names(), concat({{""}, kLetters, kMods, kTail}));
    EXPECT_EQ(first_key_list_names().size(), 63u);
}

}  // namespace
}  // namespace vantero
