# The key-sequence editor window under Wine. The look tests read the screen and ask what lies
# under the pointer, and the input tests send real input: neither may share the display.
vantero_win_test(edit_window_tests edit_look_test.cpp $<TARGET_OBJECTS:vantero_resources>)
target_link_libraries(edit_window_tests PRIVATE editor_win)
set_tests_properties(edit_window_tests PROPERTIES RUN_SERIAL TRUE)

vantero_win_test(edit_save_tests edit_save_test.cpp $<TARGET_OBJECTS:vantero_resources>)
target_link_libraries(edit_save_tests PRIVATE editor_win)

vantero_win_test(edit_input_tests edit_input_test.cpp $<TARGET_OBJECTS:vantero_resources>)
target_link_libraries(edit_input_tests PRIVATE editor_win)
set_tests_properties(edit_input_tests PROPERTIES RUN_SERIAL TRUE)

# Not a test: opens the editor for screenshots (edit_demo keys|remark|list [seconds]).
add_executable(edit_demo edit_demo.cpp $<TARGET_OBJECTS:vantero_resources>)
target_link_libraries(edit_demo PRIVATE editor_win)
if(MINGW)
    target_link_options(edit_demo PRIVATE -municode)
endif()
