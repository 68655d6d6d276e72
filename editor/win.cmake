# The editor window.
add_library(editor_win STATIC edit.cpp edit_look.cpp flat_button.cpp remark_panel.cpp selector.cpp)
target_link_libraries(editor_win PUBLIC editor_core settings_win app_win vantero_common_win comctl32 gdi32 user32)
