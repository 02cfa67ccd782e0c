add_executable(paramsets_bench ${CMAKE_CURRENT_LIST_DIR}/PacedDevice.cpp ${CMAKE_CURRENT_LIST_DIR}/ParameterSetBench.cpp)
target_link_libraries(paramsets_bench PRIVATE tarnel_paramsets tarnel_sim tarnel_test_support
    benchmark::benchmark)
tarnel_warnings(paramsets_bench)
