// Linked into every executable of a PLOVAN_SANITIZE build. The sanitizer runtimes ask
// these functions for their defaults before main; ASAN_OPTIONS, UBSAN_OPTIONS and
// LSAN_OPTIONS in the environment still add to or override them.

extern "C" {

// allocator_may_return_null: a picture too large to allocate must come back as a null
// allocation, as it does in an ordinary build, so that the refusal path is what gets
// tested rather than the sanitizer's own abort. Everything else stops at the first report.
const char *__asan_default_options()
{
    return "allocator_may_return_null=1:detect_leaks=1:abort_on_error=0:halt_on_error=1";
}

const char *__ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

// Leaks reported inside system libraries we do not build (font configuration, the GL and
// display stack Qt loads) are theirs, kept until exit by design. A leak whose allocation
// stack reaches our own code is still reported: these match the library that made the
// allocation, not whoever called it.
const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n"
           "leak:libglib-2.0.so\n";
}

} // extern "C"
