#include "app/page_places.h"

#include "common/external_strings.h"

namespace vantero {

const wchar_t* own_page_file_name(Page page) {
    return page == Page::home ? L"home.html" : L"product.html";
}

std::vector<PageFolder> page_folders(std::wstring_view local_app_data, std::wstring_view temp,
                                     std::wstring_view version) {
    std::vector<PageFolder> folders;
    for (std::wstring_view base : {local_app_data, temp}) {
        if (base.empty()) continue;
        // The temp folder comes with a trailing backslash, a drive's root with its only one.
        while (!base.empty() && base.back() == L'\\') base.remove_suffix(1);
        const std::wstring product = std::wstring(base) + L"\\Vantero";
        folders.push_back({product, product + L"\\" + std::wstring(version)});
    }
    return folders;
}

std::wstring no_page_copy_text(const std::vector<std::wstring>& tried, unsigned long error,
                               std::wstring_view system_text) {
    std::wstring text = external::kPageNotWritten;
    for (const std::wstring& folder : tried) text += L"\n" + folder;
    text += L"\n\n原因：";
    if (error == kErrorAlreadyExists) return text + L"文件夹的位置上已有一个同名的文件。";
    return text + (system_text.empty() ? L"未知错误" : std::wstring(system_text)) + L"（错误代码 " +
           std::to_wstring(error) + L"）。";
}

}  // namespace vantero
