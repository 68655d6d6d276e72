#pragma once
// Where the program's own pages are written, and what the user reads when no folder takes them.
#include <string>
#include <string_view>
#include <vector>

namespace vantero {

enum class Page { home, product };

// Web addresses of the pages; an empty one stands for the program's own copy.
struct PageAddresses {
    std::wstring home;
    std::wstring product;
};

const wchar_t* own_page_file_name(Page page);

struct PageFolder {
    std::wstring product;  // <base>\Vantero, made first
    std::wstring version;  // <base>\Vantero\<version>, which holds the pages
};

// The folders to try, in order: the user's local application data, else the temp folder (the
// first may be a file or closed to the user). A base the system did not give (empty) is left out.
// One folder per version, so that two versions never overwrite each other's pages.
std::vector<PageFolder> page_folders(std::wstring_view local_app_data, std::wstring_view temp,
                                     std::wstring_view version);

// The system's ERROR_ALREADY_EXISTS: a file stands where a folder should be.
inline constexpr unsigned long kErrorAlreadyExists = 183;

// Said in Chinese when no folder could hold a page: the folders tried, and why the last could
// not (error, with the system's words for it, which may be empty).
std::wstring no_page_copy_text(const std::vector<std::wstring>& tried, unsigned long error,
                               std::wstring_view system_text);

}  // namespace vantero
