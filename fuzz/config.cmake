tarnel_fuzzer(config_fuzz ${CMAKE_CURRENT_LIST_DIR}/ConfigLoadFuzz.cpp tarnel_config)
