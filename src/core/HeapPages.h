#pragma once

namespace qv {

// Asks for the start of the program's main heap in large pages, where the system offers
// them on request (Linux with glibc). A run of the program allocates tens of megabytes in
// a few milliseconds: in 4 KB pages the first touch of each page is a fault that costs
// more than the work done on it, in 2 MB pages there are a few hundred faults instead of
// thousands. The heap's first 128 MB are reserved at once (address space only: pages are
// taken when first touched) and kept for the run instead of handed back between commands.
// Call it first thing in main, before the first large allocation. Elsewhere, and in builds
// whose sanitizer brings its own allocator, it does nothing.
void UseLargeHeapPages();

} // namespace qv
