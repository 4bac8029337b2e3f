// A fault injected by tests for failures that no real input produces on demand (memory running
// out, a write failing half-way). Inert unless a test sets it through the ZpTestHook export.
#pragma once

#include <cstdint>

namespace zip32 {

void SetTestFault(int fault, long long after) noexcept;
// True when the given fault is set; the fault stays set until a test clears it.
bool TestFaultIs(int fault) noexcept;
// The byte count after which a write fault strikes.
std::int64_t TestFaultAfter() noexcept;

}  // namespace zip32
