add_executable(link_bench ${CMAKE_CURRENT_LIST_DIR}/PacedDevice.cpp ${CMAKE_CURRENT_LIST_DIR}/LinkBench.cpp)
target_link_libraries(link_bench PRIVATE tarnel_sim tarnel_link tarnel_test_support
    benchmark::benchmark)
tarnel_warnings(link_bench)
