add_executable(check_bench ${CMAKE_CURRENT_LIST_DIR}/CheckBench.cpp)
target_link_libraries(check_bench PRIVATE tarnel_check tarnel_test_support
    tarnel_graphics_test_support tarnel_bench_support benchmark::benchmark)
tarnel_warnings(check_bench)
