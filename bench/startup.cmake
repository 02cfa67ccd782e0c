# Start-up time to the first painted page, beside a bare Qt window (built and run by hand; the
# usage is at the top of StartupProbe.cpp).
if(TARGET tarnel_app_qt)
    add_executable(tarnel_startup_probe EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/StartupProbe.cpp)
    target_link_libraries(tarnel_startup_probe PRIVATE tarnel_app_qt)
    tarnel_warnings(tarnel_startup_probe)
endif()
