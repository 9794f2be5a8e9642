#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace
{
thread_local std::size_t allocationCount = 0;
}

std::size_t testing_support::allocationsOnThisThread() noexcept { return allocationCount; }

// Replacements of the global allocation functions that count each allocation of the calling
// thread. The array and nothrow forms reach these through the library's defaults.
void* operator new (std::size_t size)
{
    ++allocationCount;

    if (auto* memory = std::malloc (size == 0 ? 1 : size))
        return memory;

    throw std::bad_alloc();
}

void operator delete (void* memory) noexcept { std::free (memory); }

void operator delete (void* memory, std::size_t) noexcept { std::free (memory); }
