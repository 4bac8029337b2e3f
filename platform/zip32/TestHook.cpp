// The process-wide test fault: two atomics, written only by tests.
#include "TestHook.h"

#include <atomic>

namespace zip32 {
namespace {
std::atomic<int> gFault{0};
std::atomic<long long> gAfter{0};
}  // namespace

void SetTestFault(int fault, long long after) noexcept {
  gAfter = after;
  gFault = fault;
}

bool TestFaultIs(int fault) noexcept { return fault != 0 && gFault.load() == fault; }

std::int64_t TestFaultAfter() noexcept { return gAfter.load(); }

}  // namespace zip32
