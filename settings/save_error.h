#pragma once
#include <windows.h>

#include <string>

namespace vantero {

// A message for the user about a failed WriteINI: which file (IniPath()) could not be written
// and why, in Chinese; reasons the program does not know come from the system with their number.
std::wstring DescribeSaveError(DWORD error);

}  // namespace vantero
