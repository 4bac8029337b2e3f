// Compressing the blocks of a run on worker threads while the caller's thread takes the results
// in order and alone writes the archive and calls the callbacks.
//
// How it works: the blocks form one list in archive order. Workers take the next block not yet
// taken, but never run further ahead of the caller than a fixed window, which bounds the memory
// held; each result waits in its slot until the caller takes it. The lock and the conditions are
// the system's slim reader/writer lock and condition variables, which wait without a round trip
// to a server where the system has none to spare (under Wine the thread library's own would).
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <thread>
#include <vector>

#include "BlockCompressor.h"

namespace zip32 {

class ParallelCompressor {
 public:
  ParallelCompressor(std::vector<BlockJob> jobs, unsigned threads);
  ~ParallelCompressor();
  ParallelCompressor(const ParallelCompressor&) = delete;
  ParallelCompressor& operator=(const ParallelCompressor&) = delete;

  // The next block's result, in the order of the jobs; waits for it.
  BlockResult Next();

  // The number of threads a run uses on this machine.
  static unsigned DefaultThreads() noexcept;

 private:
  void Work() noexcept;

  std::vector<BlockJob> jobs_;
  std::vector<std::optional<BlockResult>> results_;
  std::size_t window_;
  std::size_t taken_ = 0;     // next job a worker takes
  std::size_t consumed_ = 0;  // next result the caller takes
  bool stopping_ = false;
  SRWLOCK lock_ = SRWLOCK_INIT;
  CONDITION_VARIABLE workAvailable_ = CONDITION_VARIABLE_INIT;
  CONDITION_VARIABLE resultReady_ = CONDITION_VARIABLE_INIT;
  std::vector<std::thread> workers_;
  BlockScratch scratch_;  // for blocks compressed on the caller's thread
};

}  // namespace zip32
