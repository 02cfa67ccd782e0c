if(TARNEL_WITH_QT)
    add_executable(graphics_bench ${CMAKE_CURRENT_LIST_DIR}/BmpLoadBench.cpp)
    target_link_libraries(graphics_bench PRIVATE tarnel_graphics_qt tarnel_graphics_test_support
        tarnel_test_support benchmark::benchmark)
    tarnel_warnings(graphics_bench)
endif()
