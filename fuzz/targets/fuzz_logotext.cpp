// Bytes as a logo data text file (and as UTF-16 code units): checking, reading, the reader
// of files and the QString form agree, and a valid text is written again byte for byte.
#include "FuzzSupport.h"
#include "harness/LogoTextHarness.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    plovan::fuzz::startQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    plovan::fuzz::stopOnFailure(plovan::fuzz::checkLogoTextInput(plovan::fuzz::inputView(data, size)));
    return 0;
}
