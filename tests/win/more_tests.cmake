# The KeyLatch control under Wine: real windows, injected input, real hotkey registration.
vantero_win_test(win_keylatch_tests
    keylatch_fixture.cpp
    keylatch_capture_test.cpp
    keylatch_hotkey_test.cpp
    keylatch_settings_test.cpp
)
target_link_libraries(win_keylatch_tests PRIVATE hotkey_win imm32 comctl32)

# A host window with a few controls to look at; not a test.
add_executable(keylatch_demo WIN32 keylatch_demo.cpp)
target_link_libraries(keylatch_demo PRIVATE hotkey_win)
if(MINGW)
    target_link_options(keylatch_demo PRIVATE -municode)
endif()
