#pragma once

#include <cstddef>

namespace testing_support
{
// Number of heap allocations (global operator new) made so far by the calling thread. Take the
// difference around a call to prove that it does not allocate.
std::size_t allocationsOnThisThread() noexcept;
} // namespace testing_support
