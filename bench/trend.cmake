# Trends: appending a sample, redrawing eight series of 60 minutes each, the window's memory.
# The CPU of "tarnel --record" is measured by RecordCpu.sh.
if(TARGET tarnel_trend_qt)
    add_executable(trend_bench ${CMAKE_CURRENT_LIST_DIR}/TrendBench.cpp)
    target_link_libraries(trend_bench PRIVATE tarnel_trend_qt tarnel_test_support
        benchmark::benchmark)
    tarnel_warnings(trend_bench)
endif()
