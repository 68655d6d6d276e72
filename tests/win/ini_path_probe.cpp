// Writes the settings path that the program would use into the file named by its first argument.
// With a second argument it also stores that value and adds, one per line, write_setting's result
// and the value read back.
#include <windows.h>

#include <fstream>
#include <string>

#include "common/text_win.h"
#include "settings/settings_file.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    vantero::use_settings_file(L"set.ini");
    std::ofstream out(argv[1], std::ios::binary);
    out << vantero::narrow(vantero::settings_file_path());
    if (argc > 2) {
        const DWORD error = vantero::write_setting(L"probe", L"value", argv[2]);
        out << "\n"
            << error << "\n"
            << vantero::narrow(vantero::read_setting(L"probe", L"value", L""));
    }
    return 0;
}
