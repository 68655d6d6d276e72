# Win32 parts of the hotkey control.
add_library(hotkey_win STATIC
    KeyLatch.cpp
    keylatch_impl.cpp
    keylatch_input.cpp
    modSubClass.cpp
    hotkey_window.cpp
    keylatch_look.cpp
    keylatch_settings.cpp
)
target_link_libraries(hotkey_win
    PUBLIC hotkey_core settings_win vantero_common_win
    PRIVATE user32 gdi32 comctl32 imm32 advapi32)
