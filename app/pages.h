#pragma once
// The program's two pages, opened in the user's browser: a web address configured when the
// program was built, or else the copy of the page the program carries, written into the user's
// local application data folder.
#include <windows.h>

#include <string>

#include "app/page_places.h"

namespace vantero {

// The addresses this build was configured with.
PageAddresses configured_page_addresses();

// Opens a page with the configured addresses. The program carries on as before whatever happens;
// when no copy of its own page can be written, the user is told why.
void open_page(HWND owner, Page page);

// Opens a page with the addresses given. The program's own copy goes to
// %LOCALAPPDATA%\Vantero\<version>\, or to the temp folder's Vantero\<version>\ where that cannot
// be written, written only when missing or different. Returns what was handed to the shell (the
// address, or the copy's full path), or nothing when no copy could be written (a message box,
// owned by owner, says why).
std::wstring open_page(HWND owner, Page page, const PageAddresses& addresses);

}  // namespace vantero
