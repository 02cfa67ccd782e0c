tarnel_fuzzer(expr_fuzz ${CMAKE_CURRENT_LIST_DIR}/ExpressionFuzz.cpp tarnel_expr tarnel_test_support)
