# Win32 parts of the application.
add_library(app_win STATIC clsWaitableTimer.cpp keybd_output.cpp moveit.cpp)
target_link_libraries(app_win PUBLIC app_core vantero_common_win)
