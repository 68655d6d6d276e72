// Writes the settings path that the program would use into the file named by its first argument.
// With a second argument it also stores that value and adds, one per line, WriteINI's result and
// the value read back.
#include <windows.h>

#include <fstream>
#include <string>

#include "common/text_win.h"
#include "settings/modINI.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    vantero::SetIniPath(L"set.ini");
    std::ofstream out(argv[1], std::ios::binary);
    out << vantero::narrow(vantero::IniPath());
    if (argc > 2) {
        const DWORD error = vantero::WriteINI(L"probe", L"value", argv[2]);
        out << "\n" << error << "\n" << vantero::narrow(vantero::GetINI(L"probe", L"value", L""));
    }
    return 0;
}
