add_executable(config_bench ${CMAKE_CURRENT_LIST_DIR}/ConfigLoadBench.cpp)
target_link_libraries(config_bench PRIVATE tarnel_check tarnel_test_support
    tarnel_graphics_test_support tarnel_bench_support benchmark::benchmark)
tarnel_warnings(config_bench)
