// libFuzzer entry for the line splitter and the dispatcher.
#include "tests/fuzz/FuzzDispatch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    morva::test::fuzzDispatch(data, size);
    return 0;
}
