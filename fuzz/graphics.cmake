tarnel_fuzzer(bmp_fuzzer ${CMAKE_CURRENT_LIST_DIR}/BmpFuzzer.cpp tarnel_graphics)
