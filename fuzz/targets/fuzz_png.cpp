// Bytes as a description of a PNG (header fields, chunks, rows, damage), written and then
// loaded: the system's libpng and Qt carry no coverage of their own, so the structure
// is what steers the fuzzer through them.
#include "FuzzSupport.h"
#include "harness/DecodeHarness.h"
#include "harness/PngHarness.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    plovan::fuzz::startQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    plovan::fuzz::stopOnFailure(plovan::fuzz::checkStructuredPng(plovan::fuzz::inputView(data, size), plovan::fuzz::kFuzzPixelCap));
    return 0;
}
