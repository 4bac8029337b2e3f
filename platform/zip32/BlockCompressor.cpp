// One block: open, read (with the dictionary before it), deflate, CRC.
#include "BlockCompressor.h"

#include <windows.h>

#include <zlib.h>

#include <algorithm>
#include <new>

#include "TestHook.h"
#include "Zip32.h"
#include "raii/unique_any.h"

namespace zip32 {
namespace {

enum class ReadOutcome { Ok, CannotOpen, Failed };

// `sequential`: a part of a larger file, whose next parts follow (a hint to read ahead).
ReadOutcome ReadRange(const std::wstring& path, std::uint64_t offset, std::uint64_t length, bool whole,
                      bool sequential, std::string& out) {
  talvo::unique_hfile file = talvo::make_hfile(
      ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, sequential ? FILE_FLAG_SEQUENTIAL_SCAN : 0, nullptr));
  if (!file) return ReadOutcome::CannotOpen;
  if (TestFaultIs(FaultRead) && offset + length >= static_cast<std::uint64_t>(TestFaultAfter())) {
    return ReadOutcome::Failed;
  }
  if (whole) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) return ReadOutcome::Failed;
    length = static_cast<std::uint64_t>(size.QuadPart);
  }
  LARGE_INTEGER to{};
  to.QuadPart = static_cast<LONGLONG>(offset);
  if (!::SetFilePointerEx(file.get(), to, nullptr, FILE_BEGIN)) return ReadOutcome::Failed;
  out.resize(static_cast<std::size_t>(length));
  std::size_t done = 0;
  while (done < out.size()) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), out.data() + done, static_cast<DWORD>(out.size() - done), &got, nullptr)) {
      return ReadOutcome::Failed;
    }
    if (got == 0) return ReadOutcome::Failed;  // the file shrank since it was listed
    done += got;
  }
  return ReadOutcome::Ok;
}

std::uint32_t Crc(const char* data, std::size_t size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  while (size > 0) {
    const uInt piece = static_cast<uInt>(size > (1u << 30) ? (1u << 30) : size);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data), piece);
    data += piece;
    size -= piece;
  }
  return static_cast<std::uint32_t>(crc);
}

// Deflates into scratch.out and returns the compressed length.
std::size_t Deflate(BlockScratch& scratch, const char* data, std::size_t size, const char* dictionary,
                    std::size_t dictionarySize, int level, bool last) {
  z_stream& stream = scratch.Stream(level);
  if (dictionarySize > 0) {
    deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(dictionary),
                         static_cast<uInt>(dictionarySize));
  }
  std::string& out = scratch.out;
  const std::size_t bound = deflateBound(&stream, static_cast<uLong>(size)) + 16;
  if (out.size() < bound) out.resize(bound);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
  stream.avail_in = static_cast<uInt>(size);
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
  for (;;) {
    const int rc = deflate(&stream, flush);
    if (rc == Z_STREAM_END) break;
    if (rc != Z_OK && rc != Z_BUF_ERROR) throw std::bad_alloc();
    if (!last && stream.avail_in == 0 && stream.avail_out != 0) break;
    if (stream.avail_out == 0) {
      const std::size_t used = out.size();
      out.resize(out.size() * 2);
      stream.next_out = reinterpret_cast<Bytef*>(out.data() + used);
      stream.avail_out = static_cast<uInt>(out.size() - used);
    }
  }
  return static_cast<std::size_t>(stream.total_out);
}

}  // namespace

BlockScratch::~BlockScratch() {
  if (level_ >= 0) deflateEnd(stream_.get());
}

z_stream& BlockScratch::Stream(int level) {
  if (level_ == level) {
    deflateReset(stream_.get());
    return *stream_;
  }
  if (level_ >= 0) deflateEnd(stream_.get());
  level_ = -1;
  if (!stream_) stream_ = std::make_unique<z_stream>();
  *stream_ = z_stream{};
  if (deflateInit2(stream_.get(), level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::bad_alloc();
  }
  level_ = level;
  return *stream_;
}

bool LooksLikeText(const std::string& data) noexcept {
  for (unsigned char c : data) {
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\b' && c != 0x1A) return false;
  }
  return true;
}

std::string TranslateLineEnds(const std::string& data, LineEnds lineEnds) {
  std::string out;
  out.reserve(data.size() + data.size() / 16);
  for (std::size_t i = 0; i < data.size(); ++i) {
    const char c = data[i];
    if (lineEnds == LineEnds::CrLfToLf && c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') continue;
    if (lineEnds == LineEnds::LfToCrLf && c == '\n' && (i == 0 || data[i - 1] != '\r')) out += '\r';
    out += c;
  }
  return out;
}

BlockInput ReadBlock(const BlockJob& job, std::string buffer) noexcept {
  BlockInput input;
  try {
    const bool translate = job.lineEnds != LineEnds::Keep;
    input.before =
        translate ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(job.offset, kDictionarySize));
    input.raw = std::move(buffer);
    switch (ReadRange(job.path, job.offset - input.before, job.length + input.before, translate,
                      !(job.first && job.last), input.raw)) {
      case ReadOutcome::CannotOpen:
        input.state = job.first ? BlockState::Unreadable : BlockState::ReadError;
        break;
      case ReadOutcome::Failed: input.state = BlockState::ReadError; break;
      case ReadOutcome::Ok: break;
    }
  } catch (const std::bad_alloc&) {
    input.state = BlockState::OutOfMemory;
  }
  return input;
}

BlockResult CompressInput(const BlockJob& job, BlockInput& input, BlockScratch& scratch) noexcept {
  BlockResult result;
  result.state = input.state;
  if (input.state != BlockState::Ok) return result;
  try {
    std::string& raw = input.raw;
    if (job.lineEnds != LineEnds::Keep && LooksLikeText(raw)) {
      raw = TranslateLineEnds(raw, job.lineEnds);
      result.text = true;
    }
    const char* content = raw.data() + input.before;
    const std::size_t size = raw.size() - input.before;
    result.rawLength = size;
    result.crc = Crc(content, size);
    std::size_t compressed = 0;
    if (job.level > 0) {
      compressed = Deflate(scratch, content, size, raw.data(), input.before, job.level, job.last);
    }
    if (job.level > 0 && !(job.first && job.last && compressed >= size)) {
      result.data.assign(scratch.out.data(), compressed);
    } else {
      result.data.assign(content, size);
      result.stored = true;
    }
  } catch (const std::bad_alloc&) {
    result = BlockResult();
    result.state = BlockState::OutOfMemory;
  }
  return result;
}

BlockResult CompressBlock(const BlockJob& job, BlockScratch& scratch) noexcept {
  BlockInput input = ReadBlock(job, std::move(scratch.raw));
  BlockResult result = CompressInput(job, input, scratch);
  scratch.raw = std::move(input.raw);
  return result;
}

}  // namespace zip32
