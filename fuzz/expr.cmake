# The evaluator's sources are compiled into the harness itself, so that they carry libFuzzer's
# coverage instrumentation (the tarnel_expr library is built without it).
get_target_property(expr_sources tarnel_expr SOURCES)
get_target_property(expr_dir tarnel_expr SOURCE_DIR)
list(TRANSFORM expr_sources PREPEND ${expr_dir}/)
tarnel_fuzzer(expr_fuzz ${CMAKE_CURRENT_LIST_DIR}/ExpressionFuzz.cpp tarnel_config
    tarnel_test_support)
target_sources(expr_fuzz PRIVATE ${expr_sources})
