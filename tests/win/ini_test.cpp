// The settings file through the system's profile functions (run with code page 936): its
// encoding, its limits, the folders it can live in and how failed saves are reported.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "common/text_win.h"
#include "common/unique_handle.h"
#include "settings/ini_location.h"
#include "settings/save_error.h"
#include "settings/settings_file.h"

namespace vantero {
namespace {

constexpr DWORD kStored = ERROR_SUCCESS;

std::wstring exe_folder() {
    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    return p.substr(0, p.find_last_of(L'\\'));
}

std::string file_bytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Runs a copy of the probe program as program_path; returns what it reports.
std::string run_probe_as(const std::wstring& program_path, const std::wstring& value) {
    const std::wstring probe = exe_folder() + L"\\ini_path_probe.exe";
    const std::wstring report = exe_folder() + L"\\ini_probe_report.txt";
    if (!::CopyFileW(probe.c_str(), program_path.c_str(), FALSE)) return "not copied";
    std::wstring cmd = L"\"" + program_path + L"\" \"" + report + L"\" \"" + value + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi)) {
        return "not started";
    }
    const unique_kernel_handle process(pi.hProcess), thread(pi.hThread);
    ::WaitForSingleObject(process.get(), 30000);
    const std::string lines = file_bytes(report);
    ::DeleteFileW(report.c_str());
    ::DeleteFileW(program_path.c_str());
    return lines;
}

class IniUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        use_settings_file(L"ini_test.ini");
        ::DeleteFileW(settings_file_path().c_str());
    }
    void TearDown() override {
        use_settings_file(L"ini_test.ini");
        ::DeleteFileW(settings_file_path().c_str());
        ::RemoveDirectoryW(settings_file_path().c_str());
    }
};

TEST_F(IniUnderWine, PathIsBesideTheProgram) {
    EXPECT_EQ(settings_file_path(), exe_folder() + L"\\ini_test.ini");
}

TEST_F(IniUnderWine, ChineseTextIsStoredAsGbkAndReadBack) {
    ASSERT_EQ(::GetACP(), 936u) << "run Wine with LANG=zh_CN.UTF-8";
    write_setting(L"remark", L"0", L"复制");
    EXPECT_EQ(read_setting(L"remark", L"0", L""), L"复制");
    // 复 = B8 B4, 制 = D6 C6 in GBK.
    EXPECT_NE(file_bytes(settings_file_path()).find("0=\xB8\xB4\xD6\xC6"), std::string::npos);

    // A file written by hand in GBK reads back as the same text.
    {
        std::ofstream out(settings_file_path().c_str(), std::ios::binary | std::ios::trunc);
        out << "[remark]\r\n1=\xBF\xEC\xBD\xDD\xBC\xFC\r\n";  // 快捷键
    }
    EXPECT_EQ(read_setting(L"remark", L"1", L""), L"快捷键");
}

TEST_F(IniUnderWine, MissingAndEmptyValuesAndBlanks) {
    EXPECT_EQ(read_setting(L"conftext", L"0", L""), L"");  // no file at all
    EXPECT_EQ(read_setting(L"KeyLatch", L"KeyLatch1Text", L"按下快捷键"), L"按下快捷键");
    write_setting(L"remark", L"2", L"");
    EXPECT_EQ(read_setting(L"remark", L"2", L"default"), L"")
        << "an empty value is not the default";
    write_setting(L"conftext", L"3", L"   Ctrl + A  ");
    EXPECT_EQ(read_setting(L"conftext", L"3", L""), L"Ctrl + A");
    write_setting(L"conftooltip", L"3", L"2|17|65");
    EXPECT_EQ(read_setting(L"conftooltip", L"3", L""), L"2|17|65");
    EXPECT_EQ(read_setting(L"conftooltip", L"4", L"x"), L"x");
}

TEST_F(IniUnderWine, LongValuesComeBackCutTo254Bytes) {
    const std::wstring ascii(300, L'a');
    write_setting(L"remark", L"0", ascii);
    EXPECT_EQ(read_setting(L"remark", L"0", L""), std::wstring(254, L'a'));
    EXPECT_NE(file_bytes(settings_file_path()).find(std::string(300, 'a')), std::string::npos)
        << "the file keeps the whole value";

    // 200 two-byte characters: 254 bytes hold 127 of them, and no half character comes back.
    const std::wstring chinese(200, L'键');
    write_setting(L"remark", L"1", chinese);
    EXPECT_EQ(read_setting(L"remark", L"1", L""), std::wstring(127, L'键'));
    // An odd cut: one ASCII byte first leaves room for 126 whole characters.
    write_setting(L"remark", L"2", L"a" + chinese);
    EXPECT_EQ(read_setting(L"remark", L"2", L""), L"a" + std::wstring(126, L'键'));
}

TEST_F(IniUnderWine, ProgramFoldersTheAnsiCodePageCannotNameOrADriveRoot) {
    // GetModuleFileNameW of a copy of the probe program decides where it reads and writes.
    const struct {
        std::wstring folder;  // created and removed by the test unless it is a drive's root
        std::wstring ini_path;
    } cases[] = {
        {exe_folder() + L"\\äñß 한국어 😀", exe_folder() + L"\\äñß 한국어 😀\\set.ini"},
        {L"C:\\", L"C:\\set.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(narrow(c.folder));
        const bool root = c.folder.size() == 3;
        if (!root) {
            ASSERT_TRUE(::CreateDirectoryW(c.folder.c_str(), nullptr)) << ::GetLastError();
        }
        const std::wstring program = c.folder + (root ? L"" : L"\\") + L"vantero_probe.exe";
        EXPECT_EQ(run_probe_as(program, L"Ctrl + 复制"), narrow(c.ini_path) + "\n0\nCtrl + 复制");
        EXPECT_NE(file_bytes(c.ini_path).find("value=Ctrl + \xB8\xB4\xD6\xC6"), std::string::npos);
        ::DeleteFileW(c.ini_path.c_str());
        if (!root) ::RemoveDirectoryW(c.folder.c_str());
    }
}

TEST_F(IniUnderWine, AFolderPathBeyondMaxPathIsUsedThroughItsShortForm) {
    // The program cannot be started from such a folder, so the test stands in for it.
    std::wstring folder = exe_folder();
    std::vector<std::wstring> made;
    for (wchar_t letter = L'a'; folder.size() < MAX_PATH + 20; ++letter) {
        folder += L"\\" + std::wstring(60, letter) + L"äñß";
        ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr)) << ::GetLastError();
        made.push_back(folder);
    }
    use_ini_location(locate_beside(folder + L"\\vantero.exe", L"set.ini"));
    EXPECT_EQ(settings_file_path(), folder + L"\\set.ini");
    EXPECT_EQ(write_setting(L"remark", L"0", L"复制"), kStored);
    EXPECT_EQ(read_setting(L"remark", L"0", L""), L"复制");
    EXPECT_EQ(file_bytes(settings_file_path()), "[remark]\r\n0=\xB8\xB4\xD6\xC6\r\n")
        << "stored at the long path";
    ::DeleteFileW(settings_file_path().c_str());
    for (auto it = made.rbegin(); it != made.rend(); ++it) ::RemoveDirectoryW(it->c_str());
}

TEST_F(IniUnderWine, AFileHeldByAnotherProgramIsWaitedForAboutTwoSeconds) {
    const struct {
        int release_after_ms;  // negative: held until the write has given up
        DWORD error;
        const char* stored;
    } cases[] = {
        {500, ERROR_SUCCESS, "new"},
        {-1, ERROR_SHARING_VIOLATION, "old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.release_after_ms);
        const std::string before = "[remark]\r\n0=old\r\n";
        write_bytes(settings_file_path(), before);
        unique_kernel_handle held(::CreateFileW(settings_file_path().c_str(),
                                                GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                                OPEN_EXISTING, 0, nullptr));
        ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);
        std::thread releaser;
        if (c.release_after_ms >= 0) {
            releaser = std::thread([&held, ms = c.release_after_ms] {
                ::Sleep(static_cast<DWORD>(ms));
                held.reset();
            });
        }
        const DWORD error = write_setting(L"remark", L"0", L"new");
        if (releaser.joinable()) releaser.join();
        held.reset();
        EXPECT_TRUE(error == c.error || (c.error && error == ERROR_LOCK_VIOLATION)) << error;
        EXPECT_EQ(read_setting(L"remark", L"0", L""), widen(c.stored));
        if (error) {
            EXPECT_EQ(file_bytes(settings_file_path()), before);
            EXPECT_NE(describe_save_error(error).find(L"文件正被其他程序占用。"),
                      std::wstring::npos);
        }
    }
}

TEST_F(IniUnderWine, FailedSavesAreReportedWithThePathAndTheReason) {
    const std::wstring too_long = L"C:\\" + std::wstring(MAX_PATH, L'x') + L"\\set.ini";
    const std::wstring no_folder = exe_folder() + L"\\no such folder\\set.ini";
    const struct {
        const char* name;
        IniLocation location;  // empty: the test's own file
        bool folder_at_path;
        DWORD error;
        const wchar_t* reason;
    } cases[] = {
        {"set.ini is a folder", {}, true, ERROR_ACCESS_DENIED, L"这个位置是一个同名的文件夹。"},
        {"no short form short enough",
         {too_long, too_long},
         false,
         ERROR_FILENAME_EXCED_RANGE,
         L"路径太长。"},
        {"the folder is gone",
         {no_folder, no_folder},
         false,
         ERROR_PATH_NOT_FOUND,
         L"找不到文件所在的文件夹。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.location.shown.empty()) use_ini_location(c.location);
        if (c.folder_at_path) {
            ASSERT_TRUE(::CreateDirectoryW(settings_file_path().c_str(), nullptr));
        }
        const DWORD error = write_setting(L"remark", L"0", L"复制");
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(read_setting(L"remark", L"0", L"default"), L"default");
        const std::wstring message = describe_save_error(error);
        EXPECT_NE(message.find(L"\n" + settings_file_path() + L"\n"), std::wstring::npos)
            << narrow(message);
        EXPECT_NE(message.find(c.reason), std::wstring::npos) << narrow(message);
        if (c.folder_at_path) ::RemoveDirectoryW(settings_file_path().c_str());
        use_settings_file(L"ini_test.ini");
    }
}

TEST_F(IniUnderWine, AWriteIntoAGbkFileLeavesEveryOtherByteAsItWas) {
    ASSERT_EQ(::GetACP(), 936u);
    // 复制 / 快捷键 / 粘贴 / 剪切 in GBK, and a comment. (Wine's rewrite drops blank lines.)
    const std::string head = "; \xC9\xE8\xD6\xC3\r\n[remark]\r\n0=\xB8\xB4\xD6\xC6\r\n1=";
    const std::string tail = "\r\n[conftext]\r\n0=\xBF\xEC\xBD\xDD\xBC\xFC\r\n";
    write_bytes(settings_file_path(), head + "\xD5\xB3\xCC\xF9" + tail);
    EXPECT_EQ(write_setting(L"remark", L"1", L"剪切"), kStored);
    EXPECT_EQ(file_bytes(settings_file_path()), head + "\xBC\xF4\xC7\xD0" + tail);
    EXPECT_EQ(read_setting(L"conftext", L"0", L""), L"快捷键");
}

TEST_F(IniUnderWine, LineBreaksAndNulsNeverReachTheFile) {
    using namespace std::string_literals;
    const struct {
        std::wstring key, value;
        std::string line;  // as stored
    } cases[] = {
        {L"0", L"a\r\n[evil]\r\nx=1"s, "0=a [evil] x=1"},
        {L"1", L"a\n\n\rb\rc\0d"s, "1=a b cd"},
        {L"2\r\n[evil]\r\nx"s, L"v", "2 [evil] x=v"},
        {L"3", L"a\r\0\nb"s, "3=a b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(write_setting(L"remark", c.key, c.value), kStored);
        EXPECT_NE(file_bytes(settings_file_path()).find("\r\n" + c.line + "\r\n"),
                  std::string::npos)
            << file_bytes(settings_file_path());
        EXPECT_EQ(read_setting(L"evil", L"x", L"none"), L"none");
    }
}

}  // namespace
}  // namespace vantero
