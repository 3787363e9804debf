// Bytes as a picture of up to 64 x 64 with settings, through redraw and Create, against
// the naive reference.
#include "FuzzSupport.h"
#include "harness/ConversionHarness.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    plovan::fuzz::startQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    plovan::fuzz::stopOnFailure(plovan::fuzz::checkConversion(plovan::fuzz::inputView(data, size)));
    return 0;
}
