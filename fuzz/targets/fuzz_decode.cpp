// Bytes as a picture file through the window's whole loading path, then redraw and Create.
#include "FuzzSupport.h"
#include "harness/DecodeHarness.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    plovan::fuzz::startQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    plovan::fuzz::stopOnFailure(plovan::fuzz::runDecodePath(plovan::fuzz::inputView(data, size), plovan::fuzz::kFuzzPixelCap).failure);
    return 0;
}
