// With no thread to spare (one processor) the blocks are compressed on the caller's thread when
// taken, in the same order, so the archive is the same.
#include "ParallelCompressor.h"

#include <windows.h>

#include <algorithm>

namespace zip32 {

unsigned ParallelCompressor::DefaultThreads() noexcept {
  // Two workers per processor: while one waits for a file to open or read, the other deflates.
  const DWORD count = ::GetActiveProcessorCount(ALL_PROCESSOR_GROUPS);
  return count == 0 ? 1u : std::min<unsigned>(2 * count, 64u);
}

ParallelCompressor::ParallelCompressor(std::vector<BlockJob> jobs, unsigned threads)
    : jobs_(std::move(jobs)), results_(jobs_.size()), window_(std::max<std::size_t>(8, 4 * threads)) {
  if (threads <= 1) return;
  const std::size_t count = std::min<std::size_t>(threads, jobs_.size());
  for (std::size_t i = 0; i < count; ++i) workers_.emplace_back([this] { Work(); });
}

ParallelCompressor::~ParallelCompressor() {
  ::AcquireSRWLockExclusive(&lock_);
  stopping_ = true;
  ::ReleaseSRWLockExclusive(&lock_);
  ::WakeAllConditionVariable(&workAvailable_);
  for (std::thread& worker : workers_) worker.join();
}

void ParallelCompressor::Work() noexcept {
  BlockScratch scratch;
  ::AcquireSRWLockExclusive(&lock_);
  for (;;) {
    while (!stopping_ && !(taken_ < jobs_.size() && taken_ < consumed_ + window_)) {
      ::SleepConditionVariableSRW(&workAvailable_, &lock_, INFINITE, 0);
    }
    if (stopping_) break;
    const std::size_t index = taken_++;
    ::ReleaseSRWLockExclusive(&lock_);
    BlockResult result = CompressBlock(jobs_[index], scratch);
    ::AcquireSRWLockExclusive(&lock_);
    results_[index] = std::move(result);
    ::WakeAllConditionVariable(&resultReady_);
  }
  ::ReleaseSRWLockExclusive(&lock_);
}

BlockResult ParallelCompressor::Next() {
  if (workers_.empty()) {
    const std::size_t index = consumed_++;
    ++taken_;
    return CompressBlock(jobs_[index], scratch_);
  }
  ::AcquireSRWLockExclusive(&lock_);
  const std::size_t index = consumed_;
  while (!results_[index].has_value()) ::SleepConditionVariableSRW(&resultReady_, &lock_, INFINITE, 0);
  BlockResult result = std::move(*results_[index]);
  results_[index].reset();
  ++consumed_;
  ::ReleaseSRWLockExclusive(&lock_);
  ::WakeAllConditionVariable(&workAvailable_);
  return result;
}

}  // namespace zip32
