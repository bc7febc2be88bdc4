#include "core/HeapPages.h"

#include <cstddef> // defines __GLIBC__ where the C library is glibc

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUORVANE_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define QUORVANE_OWN_ALLOCATOR 1
#endif
#endif

#if defined(__linux__) && defined(__GLIBC__) && !defined(QUORVANE_OWN_ALLOCATOR)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#endif

namespace qv {

#if defined(__linux__) && defined(__GLIBC__) && !defined(QUORVANE_OWN_ALLOCATOR)

namespace {
void* g_keptBelowLargePages = nullptr; // held for the run, never freed
} // namespace

void UseLargeHeapPages()
{
    constexpr int kPad = 128 << 20;             // taken with every growth of the heap
    constexpr int kOwnMappingFrom = 128 << 10;  // glibc's size for a block with a mapping of its own
    constexpr std::uintptr_t kLarge = 2u << 20; // the size of a large page

    // A fixed pad and trim limit: the heap grows by 128 MB at a time and is shrunk only
    // when twice that lies free at its end. Blocks up to that size are cut from the heap while it has room,
    // so the large lists of a run share the pages advised below.
    if (mallopt(M_TOP_PAD, kPad) == 0 || mallopt(M_TRIM_THRESHOLD, 2 * kPad) == 0)
        return;

    // Grow the heap now, by asking for a little more than it has left, so that the pad
    // is in place and one advice covers it. The request may be above the size that gets
    // a mapping of its own: the limit is raised for it and set back.
    void* probe = std::malloc(1);
    auto* const top = static_cast<char*>(sbrk(0));
    const auto* const first = static_cast<char*>(probe);
    if (probe == nullptr || first >= top || top - first > kPad) {
        std::free(probe);
        return;
    }
    mallopt(M_MMAP_THRESHOLD, kPad);
    void* growth = std::malloc(static_cast<std::size_t>(top - first) + 4096);
    mallopt(M_MMAP_THRESHOLD, kOwnMappingFrom);
    auto* const end = static_cast<char*>(sbrk(0));
    const auto from = (reinterpret_cast<std::uintptr_t>(top) + kLarge - 1) & ~(kLarge - 1);
    const auto to = reinterpret_cast<std::uintptr_t>(end) & ~(kLarge - 1);
    const auto at = reinterpret_cast<std::uintptr_t>(growth);
    if (growth == nullptr || to <= from || at >= from || at < reinterpret_cast<std::uintptr_t>(first)) {
        std::free(growth);
        std::free(probe);
        return;
    }
    (void)madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
    // The large page that holds the heap's old end already has small pages, and the heap
    // hands out its lowest free room first: the block grown above is cut to end where the
    // advised range begins and kept for the run. What of it was never touched costs no
    // memory.
    void* kept = std::realloc(growth, from - at);
    if (kept == growth)
        g_keptBelowLargePages = kept;
    else
        std::free(kept != nullptr ? kept : growth);
    std::free(probe);
}

#else

void UseLargeHeapPages() {}

#endif

} // namespace qv
