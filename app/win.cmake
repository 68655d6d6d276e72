# Win32 parts of the application.
add_library(app_win STATIC clsWaitableTimer.cpp keybd_output.cpp keyboard_watch.cpp moveit.cpp)
target_link_libraries(app_win PUBLIC app_core vantero_common_win)

# The windows of the program, for the exe and for tests that drive them.
add_library(app_ui STATIC frmSet.cpp chrome.cpp remark_label.cpp tray.cpp application.cpp single_instance.cpp)
target_link_libraries(app_ui PUBLIC app_win hotkey_win editor_win settings_win comctl32 shell32 ole32)

add_executable(vantero WIN32 main.cpp $<TARGET_OBJECTS:vantero_resources>)
target_link_libraries(vantero PRIVATE app_ui)
if(MINGW)
    target_link_options(vantero PRIVATE -municode)
endif()
