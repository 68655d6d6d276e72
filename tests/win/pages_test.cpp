// The program's pages under Wine: the copies in the user's folder, and what reaches the browser,
// here reg.exe noting its argument as a value name (appends to one log file would collide).
#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/pages.h"
#include "common/external_strings.h"
#include "common/unique_handle.h"
#include "resources/vantero_version.h"
#include "tests/win/win_support.h"

namespace vantero {
namespace {

namespace fs = std::filesystem;
constexpr const wchar_t* kOpened = L"Software\\VanteroTest\\Opened";
const std::wstring kVersion = VANTERO_VERSION_WIDE;
constexpr const wchar_t* kRecord = L"reg add HKCU\\Software\\VanteroTest\\Opened /v \"%1\" /f";

std::string read_bytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The shell runs the recorder after it returns.
bool opened(const std::wstring& argument) {
    for (int tries = 0; tries < 100; ++tries, ::Sleep(100))
        if (!::RegGetValueW(HKEY_CURRENT_USER, kOpened, argument.c_str(), RRF_RT_ANY, nullptr,
                            nullptr, nullptr))
            return true;
    return false;
}

// Where the program puts its pages: the user's folder, else the temp folder's.
std::array<fs::path, 2> own_folders() {
    wchar_t local[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
    return {fs::path(local) / "Vantero", fs::temp_directory_path() / "Vantero"};
}

class PagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        remove_files_in_the_way();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kOpened);  // late recorders of an earlier run or test
        HKEY classes = nullptr;
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, &classes, nullptr);
        const unique_registry_key owner(classes);
        const std::pair<const wchar_t*, std::wstring> values[] = {
            {L".html", L"VanteroTest.Page"},
            {L"VanteroTest.Page\\shell\\open\\command", kRecord},
            {L"https\\shell\\open\\command", kRecord}};
        for (const auto& [key, value] : values)
            ::RegSetKeyValueW(classes, key, nullptr, REG_SZ, value.c_str(),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        // Wine's HKEY_CLASSES_ROOT leaves the user's classes out: this process reads them alone.
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, classes);
    }
    // Left by a test that failed midway, they would stop every later page.
    static void remove_files_in_the_way() {
        for (const fs::path& folder : own_folders())
            if (fs::is_regular_file(folder)) fs::remove(folder);
    }
    void TearDown() override {
        remove_files_in_the_way();
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        for (const wchar_t* key : {L"Software\\Classes\\.html", L"Software\\Classes\\https",
                                   L"Software\\Classes\\VanteroTest.Page", kOpened})
            ::RegDeleteTreeW(HKEY_CURRENT_USER, key);
    }
};

TEST_F(PagesTest, OwnPagesAreUtf8CopiesWrittenOnlyWhenMissingOrAlteredAndNeverForAnAddress) {
    const std::pair<Page, std::wstring> pages[] = {
        {Page::home, L"如何删除"},
        {Page::home, kVersion},
        {Page::product, L"Not set hotkey（标题 error）"}};
    for (const auto& [page, expected] : pages) {
        const fs::path path = open_page(nullptr, page, {});
        const std::string bytes = read_bytes(path);
        std::wstring text(bytes.size(), L'\0');
        text.resize(::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                          static_cast<int>(bytes.size()), text.data(),
                                          static_cast<int>(text.size())));
        EXPECT_NE(text.find(expected), std::wstring::npos) << path << " is not it, in UTF-8";
        EXPECT_TRUE(opened(path.wstring()));
    }

    const fs::path path = open_page(nullptr, Page::product, {});
    const std::string page = read_bytes(path);
    const auto long_ago = fs::last_write_time(path) - std::chrono::hours(24);
    fs::last_write_time(path, long_ago);
    ASSERT_EQ(open_page(nullptr, Page::product, {}), path);
    EXPECT_EQ(fs::last_write_time(path), long_ago);
    fs::remove(path);
    open_page(nullptr, Page::product, {});
    EXPECT_EQ(read_bytes(path), page);
    std::ofstream(path, std::ios::binary | std::ios::app) << "<!-- altered -->";
    open_page(nullptr, Page::product, {});
    EXPECT_EQ(read_bytes(path), page);

    fs::remove(path);
    const std::wstring address = L"https://pages.test/vantero/guide?from=tray";
    EXPECT_EQ(open_page(nullptr, Page::product, {L"", address}), address);
    EXPECT_TRUE(opened(address));
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(PagesTest, AFolderThatCannotBeWrittenGivesWayToTheTempFolderOrIsNamed) {
    // A file where a folder should be: the user's folder first, then the temp folder's too.
    const auto blocked = own_folders();
    for (const fs::path& folder : blocked) fs::remove_all(folder);
    test::MessageBoxCatcher boxes;
    std::ofstream(blocked[0]) << "not a folder";
    const std::wstring path = open_page(nullptr, Page::product, {});
    EXPECT_EQ(fs::path(path), blocked[1] / kVersion / "product.html");
    EXPECT_TRUE(opened(path));
    fs::remove_all(blocked[1]);
    std::ofstream(blocked[1]) << "not a folder";
    EXPECT_EQ(open_page(nullptr, Page::product, {}), L"");
    const std::vector<std::wstring> seen = boxes.take();
    ASSERT_EQ(seen.size(), 1u) << "a box only when no folder takes the page";
    EXPECT_EQ(seen[0].find(std::wstring(external::kPageFailedCaption) + L": " +
                           external::kPageNotWritten),
              0u);
    EXPECT_NE(seen[0].find((blocked[1] / kVersion).wstring()), std::wstring::npos);
}

}  // namespace
}  // namespace vantero
