// The settings file through the system's ANSI profile functions (run with code page 936).
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "settings/modINI.h"

namespace vantero {
namespace {

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

class IniUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        SetIniPath(L"ini_test.ini");
        ::DeleteFileW(IniPath().c_str());
    }
    void TearDown() override { ::DeleteFileW(IniPath().c_str()); }
};

TEST_F(IniUnderWine, PathIsBesideTheProgram) {
    EXPECT_EQ(IniPath(), exe_folder() + L"\\ini_test.ini");
}

TEST_F(IniUnderWine, ChineseTextIsStoredAsGbkAndReadBack) {
    ASSERT_EQ(::GetACP(), 936u) << "run Wine with LANG=zh_CN.UTF-8";
    WriteINI(L"remark", L"0", L"复制");
    EXPECT_EQ(GetINI(L"remark", L"0", L""), L"复制");
    // 复 = B8 B4, 制 = D6 C6 in GBK.
    EXPECT_NE(file_bytes(IniPath()).find("0=\xB8\xB4\xD6\xC6"), std::string::npos);

    // A file written by hand in GBK reads back as the same text.
    {
        std::ofstream out(IniPath().c_str(), std::ios::binary | std::ios::trunc);
        out << "[remark]\r\n1=\xBF\xEC\xBD\xDD\xBC\xFC\r\n";  // 快捷键
    }
    EXPECT_EQ(GetINI(L"remark", L"1", L""), L"快捷键");
}

TEST_F(IniUnderWine, MissingAndEmptyValuesAndBlanks) {
    EXPECT_EQ(GetINI(L"conftext", L"0", L""), L"");  // no file at all
    EXPECT_EQ(GetINI(L"KeyLatch", L"KeyLatch1Text", L"按下快捷键"), L"按下快捷键");
    WriteINI(L"remark", L"2", L"");
    EXPECT_EQ(GetINI(L"remark", L"2", L"default"), L"") << "an empty value is not the default";
    WriteINI(L"conftext", L"3", L"   Ctrl + A  ");
    EXPECT_EQ(GetINI(L"conftext", L"3", L""), L"Ctrl + A");
    WriteINI(L"conftooltip", L"3", L"2|17|65");
    EXPECT_EQ(GetINI(L"conftooltip", L"3", L""), L"2|17|65");
    EXPECT_EQ(GetINI(L"conftooltip", L"4", L"x"), L"x");
}

TEST_F(IniUnderWine, LongValuesComeBackCutTo254Bytes) {
    const std::wstring ascii(300, L'a');
    WriteINI(L"remark", L"0", ascii);
    EXPECT_EQ(GetINI(L"remark", L"0", L""), std::wstring(254, L'a'));
    EXPECT_NE(file_bytes(IniPath()).find(std::string(300, 'a')), std::string::npos)
        << "the file keeps the whole value";

    // 200 two-byte characters: 254 bytes hold 127 of them, and no half character comes back.
    const std::wstring chinese(200, L'键');
    WriteINI(L"remark", L"1", chinese);
    EXPECT_EQ(GetINI(L"remark", L"1", L""), std::wstring(127, L'键'));
    // An odd cut: one ASCII byte first leaves room for 126 whole characters.
    WriteINI(L"remark", L"2", L"a" + chinese);
    EXPECT_EQ(GetINI(L"remark", L"2", L""), L"a" + std::wstring(126, L'键'));
}

TEST_F(IniUnderWine, SetIniPathBesideAProgramInADriveRoot) {
    // A copy of the probe program in C:\ prints the path it would use.
    const std::wstring probe = exe_folder() + L"\\ini_path_probe.exe";
    const std::wstring root_copy = L"C:\\vantero_ini_probe.exe";
    const std::wstring out_file = L"C:\\vantero_ini_probe.txt";
    ASSERT_TRUE(::CopyFileW(probe.c_str(), root_copy.c_str(), FALSE)) << ::GetLastError();
    std::wstring cmd = L"\"" + root_copy + L"\" \"" + out_file + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, L"C:\\", &si, &pi));
    ::WaitForSingleObject(pi.hProcess, 30000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_EQ(file_bytes(out_file), "C:\\set.ini");
    ::DeleteFileW(root_copy.c_str());
    ::DeleteFileW(out_file.c_str());
}

}  // namespace
}  // namespace vantero
