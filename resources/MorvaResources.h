// Registers the built-in resources of the static resources library.
#pragma once

namespace morva {

// Makes the resources (":/MSN", ...) reachable. A static library's resources are dropped by the linker unless
// something refers to them, so every user calls this once before the first lookup; repeated calls are harmless.
void initMorvaResources();

} // namespace morva
