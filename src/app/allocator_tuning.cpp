#include "app/allocator_tuning.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

// Where the program is linked with mimalloc (see src/app/CMakeLists.txt),
// these settings of the C library's allocator serve nothing and are harmless.
void tuneAllocator() {
#if defined(__GLIBC__)
    mallopt(M_TRIM_THRESHOLD, 128 << 20);  // free memory kept up to 128 MB
    mallopt(M_TOP_PAD, 16 << 20);          // and taken from the system 16 MB at a time
    // Setting either ends the allocator's own rise of the size from which
    // blocks are mapped apart (from 128 KiB); the buffers of an output are
    // larger than that.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}
