// With no thread to spare (one processor) the blocks are compressed on the caller's thread when
// taken, in the same order, so the archive is the same.
#include "ParallelCompressor.h"

#include <windows.h>

#include <algorithm>

namespace zip32 {

unsigned ParallelCompressor::DefaultThreads() noexcept {
  const DWORD count = ::GetActiveProcessorCount(ALL_PROCESSOR_GROUPS);
  return count == 0 ? 1u : std::min<unsigned>(count, 64u);
}

ParallelCompressor::ParallelCompressor(std::vector<BlockJob> jobs, unsigned threads)
    : jobs_(std::move(jobs)), results_(jobs_.size()), window_(std::max<std::size_t>(8, 4 * threads)) {
  if (threads <= 1) return;
  const std::size_t count = std::min<std::size_t>(threads, jobs_.size());
  for (std::size_t i = 0; i < count; ++i) workers_.emplace_back([this] { Work(); });
}

ParallelCompressor::~ParallelCompressor() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    stopping_ = true;
  }
  workAvailable_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void ParallelCompressor::Work() noexcept {
  std::unique_lock<std::mutex> guard(lock_);
  for (;;) {
    workAvailable_.wait(
        guard, [this] { return stopping_ || (taken_ < jobs_.size() && taken_ < consumed_ + window_); });
    if (stopping_) return;
    const std::size_t index = taken_++;
    guard.unlock();
    BlockResult result = CompressBlock(jobs_[index]);
    guard.lock();
    results_[index] = std::move(result);
    resultReady_.notify_all();
  }
}

BlockResult ParallelCompressor::Next() {
  std::unique_lock<std::mutex> guard(lock_);
  const std::size_t index = consumed_;
  if (workers_.empty()) {
    ++consumed_;
    ++taken_;
    guard.unlock();
    return CompressBlock(jobs_[index]);
  }
  resultReady_.wait(guard, [&] { return results_[index].has_value(); });
  BlockResult result = std::move(*results_[index]);
  results_[index].reset();
  ++consumed_;
  guard.unlock();
  workAvailable_.notify_all();
  return result;
}

}  // namespace zip32
