#pragma once

// Whether the SSE2 row loops are built: wherever the compiler targets SSE2 (every x86-64
// processor has it), unless PLOVAN_PLAIN_LOOPS asks for the plain loops that every other
// processor (an ARM Mac, for one) runs, so that those are built and tested here too.
#if defined(__SSE2__) && !defined(PLOVAN_PLAIN_LOOPS)
#define PLOVAN_SSE2 1
#include <emmintrin.h>
#else
#define PLOVAN_SSE2 0
#endif
