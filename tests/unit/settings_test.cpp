// Where set.ini is: the folder and the name, and the long-path prefix.
#include <gtest/gtest.h>

#include "settings/ini_path.h"

namespace vantero {
namespace {

TEST(IniPath, OneSeparatorBetweenFolderAndName) {
    for (const wchar_t* folder : {L"C:\\工具", L"C:\\工具\\"}) {
        EXPECT_EQ(join_ini_path(folder, L"set.ini"), L"C:\\工具\\set.ini");
    }
    EXPECT_EQ(join_ini_path(L"C:\\", L"set.ini"), L"C:\\set.ini");
}

TEST(IniPath, ExtendedPrefixAddedOnceAndTakenOff) {
    const struct {
        const wchar_t *plain, *extended;
    } cases[] = {
        {L"C:\\dir\\set.ini", L"\\\\?\\C:\\dir\\set.ini"},
        {L"\\\\server\\share\\set.ini", L"\\\\?\\UNC\\server\\share\\set.ini"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(with_extended_prefix(c.plain), c.extended);
        EXPECT_EQ(with_extended_prefix(c.extended), c.extended);
        EXPECT_EQ(without_extended_prefix(c.extended), c.plain);
        EXPECT_EQ(without_extended_prefix(c.plain), c.plain);
    }
}

}  // namespace
}  // namespace vantero
