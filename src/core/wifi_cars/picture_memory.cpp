#include "core/wifi_cars/picture_memory.h"

#include <cstdlib> // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Korvane {

void KeepPictureMemory() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 16 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

} // namespace Korvane
