# The bitmap reader's sources are compiled into the harness itself, so that they carry
# libFuzzer's coverage instrumentation (the tarnel_graphics library is built without it).
get_target_property(graphics_sources tarnel_graphics SOURCES)
get_target_property(graphics_dir tarnel_graphics SOURCE_DIR)
list(TRANSFORM graphics_sources PREPEND ${graphics_dir}/)
tarnel_fuzzer(bmp_fuzz ${CMAKE_CURRENT_LIST_DIR}/BmpFuzz.cpp tarnel_config)
target_sources(bmp_fuzz PRIVATE ${graphics_sources})
