// Compressing the blocks of a run on worker threads while the caller's thread takes the results
// in order and alone writes the archive and calls the callbacks.
//
// How it works: the blocks form one list in archive order, which may still grow while the
// workers run (the caller adds the blocks of each file as the folder walk finds it, so that the
// work starts before the walk ends). Each block passes two stages on different threads:
// - readers open and read the blocks in list order. Under Wine opening, first reading and closing
//   a file are each a round trip to the Wine server, and the last two are serialised across the
//   process, so a reader spends most of its time waiting; it must not hold a processor's worth of
//   deflating back while it does;
// - compressors (one per processor) deflate the blocks read, lowest first, and never wait on the
//   system.
// Each result waits in its slot until the caller takes it. Blocks read and results held, with the
// blocks in progress, stay under a fixed number of bytes: that bounds the memory whatever the
// tree, yet lets small files run far ahead. A thread is woken only when there is something for it
// (a thread switch is costly under Wine). The lock and the conditions are the system's slim
// reader/writer lock and condition variables, which wait without a round trip to a server where
// the system has none to spare (under Wine the thread library's own would).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <queue>
#include <string>
#include <thread>
#include <vector>

#include "BlockCompressor.h"

namespace zip32 {

class ParallelCompressor {
 public:
  explicit ParallelCompressor(unsigned processors);
  ~ParallelCompressor();
  ParallelCompressor(const ParallelCompressor&) = delete;
  ParallelCompressor& operator=(const ParallelCompressor&) = delete;

  // Appends blocks to the list; workers may start on them at once.
  void Add(std::vector<BlockJob> jobs);

  // The next block's result, in the order of the list; waits for it. The block must have been
  // added.
  BlockResult Next();

  // The processors a run may use on this machine.
  static unsigned DefaultProcessors() noexcept;

 private:
  void Start();
  void Read() noexcept;
  void Compress() noexcept;
  bool CanRead() const noexcept;
  void Release(std::string buffer);

  unsigned processors_;
  // A deque keeps its elements in place as it grows, so a worker can use its job unlocked.
  std::deque<BlockJob> jobs_;
  std::deque<std::optional<BlockInput>> inputs_;
  std::deque<std::optional<BlockResult>> results_;
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<std::size_t>> readyToCompress_;
  std::vector<std::string> spareBuffers_;  // read buffers of blocks done, reused by readers
  std::size_t read_ = 0;                   // next job a reader takes
  std::size_t consumed_ = 0;               // next result the caller takes
  std::uint64_t held_ = 0;                 // bytes read or held for the caller, and of blocks in progress
  std::size_t idleReaders_ = 0;
  std::size_t idleCompressors_ = 0;
  bool callerWaiting_ = false;
  bool stopping_ = false;
  SRWLOCK lock_ = SRWLOCK_INIT;
  CONDITION_VARIABLE readAvailable_ = CONDITION_VARIABLE_INIT;
  CONDITION_VARIABLE compressAvailable_ = CONDITION_VARIABLE_INIT;
  CONDITION_VARIABLE resultReady_ = CONDITION_VARIABLE_INIT;
  std::vector<std::thread> workers_;
  BlockScratch scratch_;  // for blocks compressed on the caller's thread
};

}  // namespace zip32
