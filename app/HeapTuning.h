// HeapTuning: the C library's heap kept for reuse instead of being handed back and taken again.
#pragma once

namespace morva {

// With glibc, memory freed at the top of the heap is returned to the system once 128 KiB are free there, and
// every block of 128 KiB or more is a mapping of its own, unmapped when freed. A chat client keeps allocating
// and freeing in bursts (a channel's names, a flood's text blocks, a window's layouts), and every page handed
// back costs a fault when it is taken again, several microseconds each on a virtual machine. Called first
// thing in main, this keeps up to 64 MiB of freed heap and serves blocks of up to 32 MiB from the heap itself.
// Does nothing with another C library.
void tuneHeap();

} // namespace morva
