tarnel_fuzzer(link_fuzz ${CMAKE_CURRENT_LIST_DIR}/LineAssemblerFuzz.cpp)
# The code under test is compiled into the harness itself: only the harness target is built
# with -fsanitize=fuzzer, and without its coverage the fuzzer would be blind to the assembler.
target_sources(link_fuzz PRIVATE ${PROJECT_SOURCE_DIR}/src/link/LineAssembler.cpp
    ${PROJECT_SOURCE_DIR}/src/link/WireProtocol.cpp)
target_include_directories(link_fuzz PRIVATE ${PROJECT_SOURCE_DIR}/src)
