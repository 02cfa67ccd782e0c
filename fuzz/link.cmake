tarnel_fuzzer(link_fuzz ${CMAKE_CURRENT_LIST_DIR}/LineAssemblerFuzz.cpp tarnel_link)
