// Compressing one piece of one file: raw deflate through zlib, CRC-32 over the bytes as they are
// stored in the archive, and line-end translation for files that look like text.
//
// How it works: a file is cut into blocks of a fixed size. Each block is deflated on its own,
// primed with the 32 KiB before it as dictionary, and ends with a sync flush (the last one ends
// the stream), so the blocks laid end to end are one deflate stream, and the result does not
// depend on how many threads compressed them.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <memory>
#include <string>

namespace zip32 {

constexpr std::uint64_t kBlockSize = 1 << 20;
constexpr std::size_t kDictionarySize = 32 * 1024;

enum class LineEnds { Keep, CrLfToLf, LfToCrLf };

struct BlockJob {
  std::wstring path;
  std::uint64_t offset = 0;
  std::uint64_t length = 0;  // with translation: the whole file
  bool first = true;
  bool last = true;
  int level = 6;  // 0 stores
  LineEnds lineEnds = LineEnds::Keep;
};

enum class BlockState { Ok, Unreadable, ReadError, OutOfMemory };

struct BlockResult {
  BlockState state = BlockState::Ok;
  std::string data;  // compressed (or stored) bytes
  std::uint32_t crc = 0;
  std::uint64_t rawLength = 0;  // bytes of the entry's content this block stands for
  bool stored = false;  // the whole entry is stored (a single-block entry that deflate did not shrink)
  bool text = false;    // translated as text
};

// What one thread reuses from block to block: a deflate stream and its buffers, so that a tree of
// many small files does not allocate (and the system zero) a compressor's state for each.
class BlockScratch {
 public:
  BlockScratch() = default;
  ~BlockScratch();
  BlockScratch(const BlockScratch&) = delete;
  BlockScratch& operator=(const BlockScratch&) = delete;

  // A stream reset for a new block at `level`; throws std::bad_alloc when zlib cannot start.
  z_stream& Stream(int level);
  std::string raw;
  std::string out;

 private:
  std::unique_ptr<z_stream> stream_;  // a z_stream must not move once initialised
  int level_ = -1;                    // the level the stream was initialised with; -1: none
};

// The bytes one block is compressed from: the block, after up to 32 KiB before it that prime
// the compressor (`before` bytes).
struct BlockInput {
  BlockState state = BlockState::Ok;
  std::string raw;
  std::size_t before = 0;
};

// The two halves of a block's work, which may run on different threads: reading (mostly waiting
// on the system) into `buffer`'s storage, then compressing. Neither throws: failures are reported
// in the state. CompressInput may change the input (line ends); its storage can be reused after.
BlockInput ReadBlock(const BlockJob& job, std::string buffer) noexcept;
BlockResult CompressInput(const BlockJob& job, BlockInput& input, BlockScratch& scratch) noexcept;
// Both on the calling thread.
BlockResult CompressBlock(const BlockJob& job, BlockScratch& scratch) noexcept;

// Whether the bytes look like text: no NUL and no control bytes other than the usual ones.
bool LooksLikeText(const std::string& data) noexcept;
std::string TranslateLineEnds(const std::string& data, LineEnds lineEnds);

}  // namespace zip32
