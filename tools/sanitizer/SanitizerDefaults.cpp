// Linked into every executable of a PLOVAN_SANITIZE build. The sanitizer runtimes ask
// these functions for their defaults before main; ASAN_OPTIONS, UBSAN_OPTIONS and
// LSAN_OPTIONS in the environment still add to or override them.

extern "C" {

// allocator_may_return_null: a picture too large to allocate must come back as a null
// allocation, as it does in an ordinary build, so that the refusal path is what gets
// tested rather than the sanitizer's own abort. Everything else stops at the first
// report, leaks at exit included.
const char *__asan_default_options()
{
    return "allocator_may_return_null=1:detect_leaks=1:halt_on_error=1";
}

const char *__ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

// Leaks to ignore, one "leak:<function, file or library>" per line. None so far: every
// test of the sanitizer pass, the window tests under the offscreen platform included,
// exits without a leak report. A system library that keeps memory until exit by design
// goes here by its library name, never a function of ours.
const char *__lsan_default_suppressions()
{
    return "";
}

} // extern "C"
