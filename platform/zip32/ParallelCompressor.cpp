// With one processor the blocks are read and compressed on the caller's thread when taken, in the
// same order, so the archive is the same whatever the machine.
#include "ParallelCompressor.h"

#include <windows.h>

#include <algorithm>

namespace zip32 {
namespace {
// Blocks read and results held for the caller, with blocks being read counted at their size.
constexpr std::uint64_t kHeldLimit = std::uint64_t{64} << 20;
// Readers wait on the system most of the time: two keep one opening a file while the other reads.
constexpr unsigned kReaders = 2;

std::uint64_t Reserved(const BlockJob& job) { return job.length + kDictionarySize; }

class Lock {
 public:
  explicit Lock(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
  ~Lock() { ::ReleaseSRWLockExclusive(&lock_); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  SRWLOCK& lock_;
};
}  // namespace

unsigned ParallelCompressor::DefaultProcessors() noexcept {
  const DWORD count = ::GetActiveProcessorCount(ALL_PROCESSOR_GROUPS);
  return count == 0 ? 1u : std::min<unsigned>(count, 64u);
}

ParallelCompressor::ParallelCompressor(unsigned processors) : processors_(processors) {}

ParallelCompressor::~ParallelCompressor() {
  {
    Lock lock(lock_);
    stopping_ = true;
  }
  ::WakeAllConditionVariable(&readAvailable_);
  ::WakeAllConditionVariable(&compressAvailable_);
  for (std::thread& worker : workers_) worker.join();
}

void ParallelCompressor::Start() {
  // Threads start with the first blocks, so a run that adds none starts none.
  for (unsigned i = 0; i < kReaders; ++i) workers_.emplace_back([this] { Read(); });
  for (unsigned i = 0; i < processors_; ++i) workers_.emplace_back([this] { Compress(); });
}

bool ParallelCompressor::CanRead() const noexcept {
  // The block the caller waits for is always read, so the bound never stalls the run.
  return read_ < jobs_.size() && (read_ == consumed_ || held_ < kHeldLimit);
}

void ParallelCompressor::Add(std::vector<BlockJob> jobs) {
  if (jobs.empty()) return;
  bool wake = false;
  {
    Lock lock(lock_);
    for (BlockJob& job : jobs) {
      jobs_.push_back(std::move(job));
      inputs_.emplace_back();
      results_.emplace_back();
    }
    wake = idleReaders_ > 0 && CanRead();
  }
  if (processors_ > 1 && workers_.empty()) {
    Start();
  } else if (wake) {
    ::WakeConditionVariable(&readAvailable_);
  }
}

void ParallelCompressor::Release(std::string buffer) {
  if (buffer.capacity() > 0 && spareBuffers_.size() < 16) spareBuffers_.push_back(std::move(buffer));
}

void ParallelCompressor::Read() noexcept {
  for (;;) {
    std::size_t index = 0;
    const BlockJob* job = nullptr;  // taken under the lock: the deque's index may move as it grows
    std::string buffer;
    bool more = false;
    {
      Lock lock(lock_);
      while (!stopping_ && !CanRead()) {
        ++idleReaders_;
        ::SleepConditionVariableSRW(&readAvailable_, &lock_, INFINITE, 0);
        --idleReaders_;
      }
      if (stopping_) return;
      index = read_++;
      job = &jobs_[index];
      held_ += Reserved(*job);
      if (!spareBuffers_.empty()) {
        buffer = std::move(spareBuffers_.back());
        spareBuffers_.pop_back();
      }
      more = idleReaders_ > 0 && CanRead();
    }
    if (more) ::WakeConditionVariable(&readAvailable_);
    BlockInput input = ReadBlock(*job, std::move(buffer));
    bool wake = false;
    {
      Lock lock(lock_);
      held_ = held_ - Reserved(*job) + input.raw.size();
      inputs_[index] = std::move(input);
      readyToCompress_.push(index);
      wake = idleCompressors_ > 0;
    }
    if (wake) ::WakeConditionVariable(&compressAvailable_);
  }
}

void ParallelCompressor::Compress() noexcept {
  BlockScratch scratch;
  for (;;) {
    std::size_t index = 0;
    const BlockJob* job = nullptr;
    BlockInput input;
    {
      Lock lock(lock_);
      while (!stopping_ && readyToCompress_.empty()) {
        ++idleCompressors_;
        ::SleepConditionVariableSRW(&compressAvailable_, &lock_, INFINITE, 0);
        --idleCompressors_;
      }
      if (stopping_) return;
      index = readyToCompress_.top();
      readyToCompress_.pop();
      job = &jobs_[index];
      input = std::move(*inputs_[index]);
      inputs_[index].reset();
    }
    const std::uint64_t readSize = input.raw.size();
    BlockResult result = CompressInput(*job, input, scratch);
    bool wakeCaller = false;
    {
      Lock lock(lock_);
      held_ = held_ - readSize + result.data.size();
      Release(std::move(input.raw));
      results_[index] = std::move(result);
      wakeCaller = callerWaiting_ && index == consumed_;
    }
    if (wakeCaller) ::WakeConditionVariable(&resultReady_);
  }
}

BlockResult ParallelCompressor::Next() {
  if (workers_.empty()) {
    ++read_;
    return CompressBlock(jobs_[consumed_++], scratch_);
  }
  BlockResult result;
  bool wake = false;
  {
    Lock lock(lock_);
    const std::size_t index = consumed_;
    while (!results_[index].has_value()) {
      callerWaiting_ = true;
      ::SleepConditionVariableSRW(&resultReady_, &lock_, INFINITE, 0);
      callerWaiting_ = false;
    }
    result = std::move(*results_[index]);
    results_[index].reset();
    jobs_[index].path = std::wstring();
    ++consumed_;
    const bool wasFull = held_ >= kHeldLimit;
    held_ -= result.data.size();
    wake = idleReaders_ > 0 && (wasFull || read_ == consumed_) && CanRead();
  }
  if (wake) ::WakeAllConditionVariable(&readAvailable_);
  return result;
}

}  // namespace zip32
