tarnel_fuzzer(bmp_fuzz ${CMAKE_CURRENT_LIST_DIR}/BmpFuzz.cpp tarnel_graphics)
