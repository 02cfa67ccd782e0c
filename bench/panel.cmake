# The panel view on a page of 300 controls: refresh ticks and building the page.
if(TARNEL_WITH_QT)
    add_executable(panel_bench ${CMAKE_CURRENT_LIST_DIR}/PanelBench.cpp)
    target_link_libraries(panel_bench PRIVATE tarnel_panel_qt tarnel_graphics_test_support
        tarnel_test_support benchmark::benchmark)
    tarnel_warnings(panel_bench)
endif()
