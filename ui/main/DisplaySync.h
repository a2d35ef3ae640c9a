// DisplaySync: waiting until the window system has taken in what the program drew.
#pragma once

namespace morva {

// On X11, a window's pixels reach the server through shared memory and the server copies them in its own time;
// the next paint into that memory then waits for it. Returns once the X server has handled every request sent so
// far (one round trip). Does nothing on other window systems or when the program was built without XCB.
void syncWithDisplay();

} // namespace morva
