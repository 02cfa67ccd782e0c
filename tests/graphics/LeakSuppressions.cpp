// Qt's text drawing goes through fontconfig, which keeps a few allocations to the end of the
// process; LeakSanitizer (in sanitizer builds) would fail the GUI tests for them.
extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
