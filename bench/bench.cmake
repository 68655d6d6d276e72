# Benchmarks: Windows programs run under Wine by tools/bench; they print figures, never assert.
add_executable(bench_sender ${CMAKE_CURRENT_LIST_DIR}/bench_sender.cpp)
target_link_libraries(bench_sender PRIVATE app_win win_test_support)
