# The evaluator on one refresh's worth of formulas, beside muParser doing the same from text.
# muParser is a benchmark-only dependency; without it only our side is measured.
pkg_check_modules(MUPARSER IMPORTED_TARGET muparser)
add_executable(expr_bench ${CMAKE_CURRENT_LIST_DIR}/ExpressionBench.cpp)
target_link_libraries(expr_bench PRIVATE tarnel_expr tarnel_test_support benchmark::benchmark)
if(MUPARSER_FOUND)
    target_link_libraries(expr_bench PRIVATE PkgConfig::MUPARSER)
    target_compile_definitions(expr_bench PRIVATE TARNEL_BENCH_MUPARSER=1)
else()
    message(STATUS "muParser not found: expr_bench measures the evaluator alone")
endif()
tarnel_warnings(expr_bench)
# The benchmark replaces operator new and delete with malloc and free to count allocations; GCC
# sees free() after inlined operator new and mistakes the pair for a mismatch.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(expr_bench PRIVATE -Wno-mismatched-new-delete)
endif()
