// Writes the settings path that the program would use into the file named by its argument.
#include <windows.h>

#include <fstream>

#include "common/text_win.h"
#include "settings/modINI.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    vantero::SetIniPath(L"set.ini");
    std::ofstream out(argv[1], std::ios::binary);
    out << vantero::narrow(vantero::IniPath());
    return 0;
}
