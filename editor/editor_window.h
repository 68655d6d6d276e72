#pragma once
// The key-sequence editor window: a row's target keys are picked by name in three drop-down
// lists, or its remark typed; saving writes them into the row and into set.ini.
#include <windows.h>

#include <memory>

#include "editor/editor_host.h"
#include "settings/ini_location.h"

namespace vantero {

class EditorWindow {
public:
    // Saves go to the settings file at settings.
    EditorWindow(EditorHost& host, IniLocation settings);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // Creates the window hidden and fills its lists, all before it returns, unless it is loaded
    // already.
    void load();
    bool is_loaded() const;

    // Opens the editor for row k (0 to 8), loading it first if needed: keys mode hides the
    // remark panel, remark mode shows it in front. The caller hides the main window.
    void open_keys(int row_index);
    void open_remark(int row_index);

    HWND hwnd() const;  // null while not loaded

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vantero
