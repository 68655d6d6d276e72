#pragma once
// The key-sequence editor window: a row's target keys are picked by name in three drop-down
// lists, or its remark typed; saving writes them into the row and into set.ini.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "common/key_sequence.h"
#include "settings/ini_location.h"

namespace vantero {

// What the editor writes back into the main window.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    // target_box(k).Text and target_box(k).tooltip_text.
    virtual void set_row_keys(int row_index, const std::wstring& display_text,
                              const std::optional<TargetKeys>& keys) = 0;
    // remark_label(k).Caption.
    virtual void set_row_remark(int row_index, const std::wstring& remark) = 0;
    // What a row holds now: the editor opens on it.
    virtual const std::optional<TargetKeys>& row_keys(int row_index) const = 0;
    virtual std::wstring row_remark(int row_index) const = 0;
    // Makes the main window visible again.
    virtual void show_main() = 0;
};

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
