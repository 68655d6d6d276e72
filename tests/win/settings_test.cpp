// set.ini through the system's profile functions in code page 936: the folders it can live in,
// the bytes it keeps, the values it gives back, and another program holding it.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <thread>
#include <vector>

#include "common/unique_handle.h"
#include "settings/ini_location.h"
#include "settings/settings_file.h"

namespace vantero {
namespace {

std::string file_bytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class SettingsFileUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::GetACP(), 936u) << "run Wine with LANG=zh_CN.UTF-8";
        ::DeleteFileW(path.c_str());
    }
    void TearDown() override { ::DeleteFileW(path.c_str()); }
    void write_file(const std::string& bytes) {
        std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
    }
    IniLocation ini = locate_beside(program_path(), L"settings_test.ini");
    const std::wstring& path = ini.shown;
};

TEST_F(SettingsFileUnderWine, AProgramFolderOutsideTheCodePageOrBeyondMaxPathHoldsSetIni) {
    const std::wstring program_folder = path.substr(0, path.rfind(L'\\'));
    const std::vector<std::wstring> folders[] = {{L"äñß 한국어 😀"},
                                                 std::vector(5, std::wstring(60, L'x') + L"äñß")};
    for (const auto& names : folders) {
        std::vector<std::wstring> made{program_folder};
        for (const std::wstring& name : names) {
            made.push_back(made.back() + L"\\" + name);
            ASSERT_TRUE(::CreateDirectoryW(made.back().c_str(), nullptr)) << ::GetLastError();
        }
        ini = locate_beside(made.back() + L"\\vantero.exe", L"set.ini");
        EXPECT_EQ(write_setting(ini, L"remark", L"0", L"复制"), DWORD{ERROR_SUCCESS})
            << path.size();
        EXPECT_EQ(read_setting(ini, L"remark", L"0", L""), L"复制");
        EXPECT_EQ(file_bytes(path), "[remark]\r\n0=\xB8\xB4\xD6\xC6\r\n") << "GBK at the full path";
        ::DeleteFileW(path.c_str());
        for (; made.size() > 1; made.pop_back()) ::RemoveDirectoryW(made.back().c_str());
    }
}

// Another program holds set.ini: a write, or the check before the program reads, fails while it
// is held long and waits for it when it is let go soon.
TEST_F(SettingsFileUnderWine, AFileHeldLongIsLeftAsItWasAndOneHeldBrieflyIsWaitedFor) {
    EXPECT_EQ(check_settings_readable(ini), DWORD{ERROR_SUCCESS}) << "no file: nothing to lose";
    const std::string old = "[remark]\r\n0=old\r\n";
    write_file(old);
    // Held for reading with others let in to read and write, as the profile functions hold it.
    unique_file shared(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(check_settings_readable(ini), DWORD{ERROR_SUCCESS});
    shared.reset();
    const struct {
        DWORD sharing;
        std::function<DWORD()> use;
        std::string seen_meanwhile;
    } cases[] = {
        // Written to by another program that lets others only read it: the file stays as it was.
        {FILE_SHARE_READ, [&] { return write_setting(ini, L"remark", L"0", L"new"); }, old},
        {0, [&] { return check_settings_readable(ini); }, ""},
    };
    for (const auto& c : cases) {
        unique_file held(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, c.sharing,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
        const DWORD error = c.use();
        EXPECT_TRUE(error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) << error;
        EXPECT_EQ(file_bytes(path), c.seen_meanwhile);
        std::thread releaser([&] {
            ::Sleep(500);
            held.reset();
        });
        EXPECT_EQ(c.use(), DWORD{ERROR_SUCCESS}) << "waited for";
        releaser.join();
    }
    EXPECT_EQ(read_setting(ini, L"remark", L"0", L""), L"new");
}

// Every other byte of an older GBK file stays as it was, and values come back exactly as written.
TEST_F(SettingsFileUnderWine, ValuesComeBackExactlyAsWrittenAndOlderFilesReadAsBefore) {
    // A comment, 复制, 粘贴 (replaced by 剪切) and 快捷键 in GBK; quoted values as earlier
    // versions left them. Wine's rewrite drops blank lines.
    const std::string head = "; \xC9\xE8\xD6\xC3\r\n[remark]\r\n0=\xB8\xB4\xD6\xC6\r\n1=";
    const std::string tail = "\r\n2=\"q\"\r\n3='r'\r\n[conftext]\r\n0=\xBF\xEC\xBD\xDD\xBC\xFC\r\n";
    write_file(head + "\xD5\xB3\xCC\xF9" + tail);
    EXPECT_EQ(write_setting(ini, L"remark", L"1", L"剪切"), DWORD{ERROR_SUCCESS});
    EXPECT_EQ(file_bytes(path), head + "\xBC\xF4\xC7\xD0" + tail);
    std::wstring read = read_setting(ini, L"conftext", L"0", L"") + L"|";
    for (const wchar_t* key : {L"0", L"2", L"3"})
        read += read_setting(ini, L"remark", key, L"") + L"|";
    EXPECT_EQ(read, L"快捷键|复制|q|r|");

    const std::wstring values[] = {L" 复制", L"复制 ", L"\t a\t", L"\x3000全角", L"\"q\"",   L"'q'",
                                   L"\"\"",  L"\"",    L"'",      L"\"a'",       L"a \"b\"", L""};
    for (const std::wstring& value : values) {
        EXPECT_EQ(write_setting(ini, L"remark", L"0", value), DWORD{ERROR_SUCCESS});
        EXPECT_EQ(read_setting(ini, L"remark", L"0", L"-"), value);
    }
    EXPECT_EQ(characters_outside_code_page(L"Mäx😀ñ复制ä?"), L"ä😀ñ") << "GBK holds 复制 and ?";
}

}  // namespace
}  // namespace vantero
