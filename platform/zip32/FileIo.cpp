// Buffered in 1 MiB pieces: an archive of many small entries costs few system calls.
#include "FileIo.h"

#include <algorithm>

#include "Failure.h"
#include "TestHook.h"
#include "Zip32.h"

namespace zip32 {
namespace {
constexpr std::size_t kBufferSize = 1 << 20;
}

std::uint64_t FileSize(HANDLE file) {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size)) throw Failure(ReadFailed);
  return static_cast<std::uint64_t>(size.QuadPart);
}

void Seek(HANDLE file, std::uint64_t offset) {
  LARGE_INTEGER to{};
  to.QuadPart = static_cast<LONGLONG>(offset);
  if (!::SetFilePointerEx(file, to, nullptr, FILE_BEGIN)) throw Failure(ReadFailed);
}

std::string ReadAt(HANDLE file, std::uint64_t offset, std::size_t length, int endsEarly) {
  std::string data(length, '\0');
  Seek(file, offset);
  std::size_t done = 0;
  while (done < length) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(length - done, 1u << 30));
    if (!::ReadFile(file, data.data() + done, want, &got, nullptr)) throw Failure(ReadFailed);
    if (got == 0) throw Failure(endsEarly);
    done += got;
  }
  return data;
}

OutputFile::OutputFile(HANDLE file, std::uint64_t start, int failure, int fault)
    : file_(file), position_(start), flushed_(start), failure_(failure), fault_(fault) {
  buffer_.reserve(kBufferSize);
}

void OutputFile::WriteThrough(const char* data, std::size_t size) {
  if (TestFaultIs(fault_) && writtenTotal_ + size > static_cast<std::uint64_t>(TestFaultAfter())) {
    throw Failure(failure_);
  }
  Seek(file_, flushed_);
  std::size_t done = 0;
  while (done < size) {
    DWORD wrote = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
    if (!::WriteFile(file_, data + done, want, &wrote, nullptr) || wrote == 0) throw Failure(failure_);
    done += wrote;
  }
  writtenTotal_ += size;
  flushed_ += size;
}

void OutputFile::Write(const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  if (buffer_.size() + size > kBufferSize) {
    Flush();
    if (size >= kBufferSize) {
      WriteThrough(bytes, size);
      position_ += size;
      return;
    }
  }
  buffer_.append(bytes, size);
  position_ += size;
}

void OutputFile::Flush() {
  if (buffer_.empty()) return;
  WriteThrough(buffer_.data(), buffer_.size());
  buffer_.clear();
}

void OutputFile::Patch(std::uint64_t offset, const std::string& data) {
  if (offset >= flushed_) {
    buffer_.replace(static_cast<std::size_t>(offset - flushed_), data.size(), data);
    return;
  }
  Flush();
  const std::uint64_t end = flushed_;
  flushed_ = offset;
  WriteThrough(data.data(), data.size());
  flushed_ = end;
}

void OutputFile::Rewind(std::uint64_t offset) {
  if (offset >= flushed_) {
    buffer_.resize(static_cast<std::size_t>(offset - flushed_));
  } else {
    buffer_.clear();
    flushed_ = offset;
  }
  position_ = offset;
}

void OutputFile::CopyFrom(HANDLE source, std::uint64_t offset, std::uint64_t length) {
  while (length > 0) {
    const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(length, kBufferSize));
    Write(ReadAt(source, offset, piece, ReadFailed));
    offset += piece;
    length -= piece;
  }
}

void OutputFile::Finish() {
  Flush();
  Seek(file_, position_);
  if (!::SetEndOfFile(file_)) throw Failure(failure_);
}

}  // namespace zip32
