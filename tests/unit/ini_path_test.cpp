#include <gtest/gtest.h>

#include "settings/ini_path.h"

namespace vantero {
namespace {

TEST(JoinIniPath, OneSeparatorBetweenFolderAndName) {
    const struct {
        const wchar_t* folder;
        const wchar_t* joined;
    } cases[] = {
        {L"C:\\dir", L"C:\\dir\\set.ini"},
        {L"C:\\dir\\", L"C:\\dir\\set.ini"},
        {L"C:\\", L"C:\\set.ini"},
        {L"C:\\程序\\工具", L"C:\\程序\\工具\\set.ini"},
        {L"\\\\server\\share", L"\\\\server\\share\\set.ini"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(join_ini_path(c.folder, L"set.ini"), c.joined);
    }
}

TEST(ExtendedPrefix, AddedToFullPathsAndTakenOffForTheProfileFunctions) {
    const struct {
        const wchar_t* plain;
        const wchar_t* extended;
    } cases[] = {
        {L"C:\\dir\\set.ini", L"\\\\?\\C:\\dir\\set.ini"},
        {L"\\\\server\\share\\set.ini", L"\\\\?\\UNC\\server\\share\\set.ini"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(with_extended_prefix(c.plain), c.extended);
        EXPECT_EQ(with_extended_prefix(c.extended), c.extended) << "added once";
        EXPECT_EQ(without_extended_prefix(c.extended), c.plain);
        EXPECT_EQ(without_extended_prefix(c.plain), c.plain);
    }
}

}  // namespace
}  // namespace vantero
