#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "hotkey/fixed_key_names.h"

namespace vantero {
namespace {

TEST(FixedKeyNames, NamesTheKeysLayoutsLeaveUnnamed) {
    EXPECT_EQ(fixed_key_name(0x5F), "Sleep");
    EXPECT_EQ(fixed_key_name(0xA6), "Browser Back");
    EXPECT_EQ(fixed_key_name(0xAF), "Volume Up");
    EXPECT_EQ(fixed_key_name(0xB0), "Next Track");
    EXPECT_EQ(fixed_key_name(0xB3), "Play/Pause");
    EXPECT_EQ(fixed_key_name(0xB7), "Launch App 2");
    // Every key of the block has a name, none shared.
    std::set<std::string_view> names;
    for (int vk = 0xA6; vk <= 0xB7; ++vk) {
        EXPECT_FALSE(fixed_key_name(vk).empty()) << vk;
        names.insert(fixed_key_name(vk));
    }
    EXPECT_EQ(names.size(), 0xB7 - 0xA6 + 1u);
}

TEST(FixedKeyNames, OtherKeysAreLeftToTheLayout) {
    // Each side of the block and of Sleep, ordinary keys, and codes no key has.
    for (int vk : {0x5E, 0x60, 0xA5, 0xB8, 0x41, 0x2E, 0x90, 0, -1, 256, -0xA6}) {
        EXPECT_TRUE(fixed_key_name(vk).empty()) << vk;
    }
}

}  // namespace
}  // namespace vantero
