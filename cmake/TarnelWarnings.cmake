# Warnings are errors in our own code; third-party headers come in as system includes.
function(tarnel_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
        -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
        -Wconversion -Wsign-conversion -Wdouble-promotion
        -Wformat=2 -Werror)
endfunction()

# Adds a GoogleTest executable and registers its cases with CTest.
# Usage: tarnel_test(NAME sources... LIBS libs... [LABELS labels...])
include(GoogleTest)
function(tarnel_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    tarnel_warnings(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tarnel_test_support GTest::gtest_main
        GTest::gmock)
    set(labels core)
    if(ARG_LABELS)
        set(labels ${ARG_LABELS})
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS "${labels}" ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
