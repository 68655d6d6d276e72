# Benchmarks: Windows programs run under Wine by tools/bench; they print figures, never assert.
add_executable(bench_sender ${CMAKE_CURRENT_LIST_DIR}/bench_sender.cpp)
target_link_libraries(bench_sender PRIVATE app_win win_test_support)

add_executable(bench_trigger ${CMAKE_CURRENT_LIST_DIR}/bench_trigger.cpp)
target_link_libraries(bench_trigger PRIVATE app_win hotkey_win win_test_support)
