// The whole-file loop as a pipeline: one thread reads blocks ahead, the calling thread enciphers
// them in order, one thread writes them behind, so the cipher never waits on the disk. RC4 is a
// stream, so the blocks are enciphered one after the other in the file's order and the output is
// the same whatever the block size; only the reading and the writing overlap with it.
//
// How it works: a ring of buffers passes each block from the reader to the cipher to the writer;
// a buffer is read again only once its block is written. Each stage stops at its first failure and
// the stages after it still finish every block before it, so the outcome, and what reaches the
// output, are those of a loop that reads, enciphers and writes one block at a time: the first
// block that fails decides, and within it reading before enciphering before writing. The reader
// may have read further meanwhile; nothing else is done past the failure.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talvo::cifrel {

// The three steps of a block; each is called from one thread only (not the same one for all
// three), always with the blocks in the file's order.
class Tappe {
 public:
  // Reads exactly n bytes, the next ones of the input.
  virtual bool Leggi(std::uint8_t* dati, std::uint32_t n) = 0;
  // Enciphers n bytes in place; finale on the call that covers the input's last byte.
  virtual bool Cifra(std::uint8_t* dati, std::uint32_t n, bool finale) = 0;
  // Writes the n bytes after the previous ones of the output.
  virtual bool Scrivi(const std::uint8_t* dati, std::uint32_t n) = 0;

 protected:
  ~Tappe() = default;
};

enum class Guasto { Nessuno, Lettura, Cifratura, Scrittura };

struct Misure {
  std::uint32_t blocco;  // bytes per block
  std::size_t buffer;    // blocks in flight, at least 2
};

// Runs the input of `dimensione` bytes through the steps. An empty input is one block of no bytes,
// so that the final call is still made. Throws std::system_error when a thread cannot start, and
// std::bad_alloc when the buffers cannot be had; no thread outlives the call either way.
Guasto Elabora(Tappe& tappe, std::uint64_t dimensione, Misure misure);

}  // namespace talvo::cifrel
