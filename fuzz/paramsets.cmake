tarnel_fuzzer(paramsets_fuzz ${CMAKE_CURRENT_LIST_DIR}/ParameterSetFuzz.cpp tarnel_paramsets)
