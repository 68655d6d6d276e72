// What set.ini holds, decided apart from the system: where it is, what a value may be (with a
// double-byte code page standing in for the system's), the stored keys of a row, and what the
// user is told when it cannot be written or read.
#include <gtest/gtest.h>

#include <tuple>

#include "settings/failure_message.h"
#include "settings/ini_path.h"
#include "settings/ini_value.h"
#include "settings/target_row.h"

namespace vantero {
namespace {

const std::wstring kSmile = L"\xD83D\xDE00";  // one character outside the BMP: a surrogate pair

// A double-byte code page: ASCII takes one byte, everything else two; it holds ASCII and CJK.
std::size_t dbcs_bytes(std::wstring_view c) {
    return c.size() == 1 && c[0] < 0x80 ? 1 : 2;
}
bool dbcs_holds(std::wstring_view c) {
    return c.size() == 1 && (c[0] < 0x80 || (c[0] >= 0x4E00 && c[0] <= 0x9FFF));
}

// Beside the program, one separator between folder and name, through the folder's short form
// (here "S:\\short", or none) only when the path is too long for the profile functions.
TEST(IniPath, SetIniIsBesideTheProgramInAFormTheProfileFunctionsTake) {
    const std::wstring deep = L"C:\\" + std::wstring(250, L'x');
    // The program's path, its folder's short form (the system may have none); set.ini as shown
    // and as used.
    const wchar_t* s_short = L"S:\\short\\";
    const std::tuple<std::wstring, const wchar_t*, std::wstring, std::wstring> cases[] = {
        {L"C:\\工具\\vantero.exe", s_short, L"C:\\工具\\set.ini", L"C:\\工具\\set.ini"},
        {L"\\\\?\\C:\\工具\\vantero.exe", s_short, L"C:\\工具\\set.ini", L"C:\\工具\\set.ini"},
        {L"C:\\vantero.exe", s_short, L"C:\\set.ini", L"C:\\set.ini"},
        {deep + L"\\v.exe", s_short, deep + L"\\set.ini", L"S:\\short\\set.ini"},
        {deep + L"\\v.exe", L"", deep + L"\\set.ini", deep + L"\\set.ini"},
    };
    for (const auto& [program, short_form, shown, used] : cases) {
        auto short_folder = [folder = short_form](const std::wstring&) { return folder; };
        const IniLocation at = locate_in_folder_of(program, L"set.ini", short_folder);
        EXPECT_EQ(std::pair(at.shown, at.used), std::pair(shown, used));
    }
    // The extended-length prefix, added once and taken off, for a drive and a share.
    for (const auto& [plain, extended] :
         {std::pair{L"C:\\dir\\set.ini", L"\\\\?\\C:\\dir\\set.ini"},
          {L"\\\\server\\share\\set.ini", L"\\\\?\\UNC\\server\\share\\set.ini"}}) {
        EXPECT_EQ(with_extended_prefix(plain), extended);
        EXPECT_EQ(with_extended_prefix(extended), extended);
        EXPECT_EQ(without_extended_prefix(extended), plain);
    }
}

// Cut on whole characters of the code page, each line break one space, ends the profile
// functions would trim quoted.
TEST(IniValue, ValuesFitTheCodePageAndOneLineAndComeBackUntrimmed) {
    const std::tuple<std::wstring, std::size_t, std::wstring> cases[] = {
        {L"ab复", 3, L"ab"},                       // the double-byte character is not split
        {L"a" + kSmile + L"b", 3, L"a" + kSmile},  // nor the surrogate pair
        {std::wstring(300, L'x'), kMaxValueBytes, std::wstring(254, L'x')},
        {std::wstring(L"a\n\r\n[evil]\rx=\0b", 15), 99, L"a [evil] x=b"},
        {std::wstring(L"\r\0\n", 3), 99, L"\" \""},  // one break, then a blank end
        {L"\x3000全角", 99, L"\"\x3000全角\""},
        {L"'q'", 99, L"\"'q'\""},
        {L"a \"b\"", 99, L"a \"b\""},
    };
    for (const auto& [value, max_bytes, written] : cases) {
        const std::wstring kept(fitting_bytes(value, max_bytes, dbcs_bytes));
        const IniEntry entry = entry_as_written(L"s\r\n[x]", L"k\r\n[evil]", kept);
        EXPECT_EQ(entry.section + L"|" + entry.key + L"|" + entry.value,
                  L"s [x]|k [evil]|" + written);
    }
    EXPECT_EQ(characters_not_held(L"Mäx复ñä?" + kSmile + kSmile, dbcs_holds), L"äñ" + kSmile)
        << "each character the code page lacks, once, a surrogate pair whole";
}

// A count of exactly 1, 2 or 3, then that many decimal codes of 0 to 255 (however many digits
// they run to); fields past the count are not read. Anything else is no keys, and a row without
// keys sends nothing.
TEST(TargetRow, AStoredKeySequenceIsReadOnceAndWrittenBackInTheSameForm) {
    // The keys as written back; null when the row has none.
    const std::pair<std::wstring, const wchar_t*> cases[] = {
        {L"2|17|65", L"2|17|65"},   {L"1|65|66", L"1|65"},        {L"1|007", L"1|7"},
        {L"2|17", nullptr},         {L"2||65", nullptr},          {L"", nullptr},
        {L"01|65", nullptr},        {L"4|1|2|3|4", nullptr},      {L"1|256", nullptr},
        {L"1|4294967361", nullptr}, {L"1|\xFF16\xFF15", nullptr},
    };
    for (const auto& [stored, written] : cases) {
        const std::optional<TargetKeys> keys = stored_keys(stored);
        EXPECT_EQ(keys.has_value(), written != nullptr) << stored;
        EXPECT_EQ(stored_text(keys), written ? written : L"") << stored;
    }
    EXPECT_FALSE(TargetKeys::of({}));  // one to three codes: the editor test saves them
    EXPECT_FALSE(TargetKeys::of({16, 17, 18, 65}));
}

// The error, whether a folder holds the file's place, the system's text for the error; the reason.
TEST(FailureMessage, NamesTheFileAndTheReasonByTheSystemsNumber) {
    using namespace system_error;
    const std::tuple<unsigned long, bool, const wchar_t*, const wchar_t*> cases[] = {
        {kSharingViolation, false, L"", L"文件正被其他程序占用。"},
        {kAccessDenied, false, L"", L"没有写入这个文件的权限（它可能是只读的）。"},
        {kAccessDenied, true, L"", L"这个位置是一个同名的文件夹。"},
        {kPathNotFound, false, L"", L"找不到文件所在的文件夹。"},
        {1234, false, L"设备未就绪", L"设备未就绪（错误代码 1234）。"},
        {1234, false, L"", L"未知错误（错误代码 1234）。"},
    };
    const std::wstring path = L"C:\\工具\\set.ini";
    for (const auto& [error, folder, system_text, reason] : cases) {
        EXPECT_EQ(save_failure_message(path, {error, folder, system_text}),
                  L"无法把设置保存到文件：\n" + path + L"\n\n原因：" + reason);
    }
    // Reading gives the same reasons, but a file that may not be read is said so.
    const std::wstring not_read =
        L"无法读取设置文件：\n" + path + L"\n\n原因：没有读取这个文件的权限。\n\n";
    EXPECT_EQ(read_failure_message(path, {kAccessDenied, false, L""}).rfind(not_read, 0), 0u);
}

}  // namespace
}  // namespace vantero
