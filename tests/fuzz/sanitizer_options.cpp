// Linked into every fuzz target. UBSan recovers by default, so a run would
// report undefined behaviour and still end well; halting turns the report
// into a crash the fuzzer keeps. (Compiling with -fno-sanitize-recover
// would do the same, but crashes clang 14 on some of our sources.)
extern "C" const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}
