#pragma once
// The key-sequence editor window: a row's target keys are picked by name in three drop-down
// lists, or its remark typed; saving writes them into the row and into set.ini.
#include <windows.h>

#include <memory>
#include <string>

namespace vantero {

// What the editor writes back into the main window.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    // Text1(k).Text and Text1(k).ToolTipText.
    virtual void SetRowKeys(int row_index, const std::wstring& display_text, const std::wstring& key_sequence) = 0;
    // Label17(k).Caption.
    virtual void SetRowRemark(int row_index, const std::wstring& remark) = 0;
    // What a row holds now: the editor opens on it.
    virtual std::wstring RowKeySequence(int row_index) const = 0;
    virtual std::wstring RowRemark(int row_index) const = 0;
    // Makes the main window visible again.
    virtual void ShowMain() = 0;
    // True while a send holds its keys down: nothing may start a modal loop (a drag) then,
    // or the keys would stay down until it ended.
    virtual bool KeysHeld() const { return false; }
};

class edit {
public:
    explicit edit(EditorHost& host);
    ~edit();
    edit(const edit&) = delete;
    edit& operator=(const edit&) = delete;

    // Creates the window hidden and fills its lists, unless it is loaded already.
    void Load();
    bool IsLoaded() const;

    // Opens the editor for row k (0 to 8), loading it first if needed: keys mode hides the
    // remark panel, remark mode shows it in front. The caller hides the main window.
    void OpenKeys(int row_index);
    void OpenRemark(int row_index);

    HWND hwnd() const;  // null while not loaded

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vantero
