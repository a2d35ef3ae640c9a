// One fuzz input through line splitting and dispatch, with handlers attached.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morva::test {

void fuzzDispatch(const std::uint8_t* data, std::size_t size);

} // namespace morva::test
