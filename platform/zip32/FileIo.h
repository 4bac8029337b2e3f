// Reading and writing archive files through Windows handles: positioned reads that fail with a
// result of the run, and a buffered writer that knows its position and can patch what it wrote.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace zip32 {

// `length` bytes at `offset`; throws Failure(endsEarly) when the file is shorter and
// Failure(ReadFailed) when reading fails.
std::string ReadAt(HANDLE file, std::uint64_t offset, std::size_t length, int endsEarly);
std::uint64_t FileSize(HANDLE file);
void Seek(HANDLE file, std::uint64_t offset);

class OutputFile {
 public:
  // Writes from `start` on; a failed write throws Failure(failure). `fault` names the test fault
  // that makes writing fail after the hook's byte count.
  OutputFile(HANDLE file, std::uint64_t start, int failure, int fault);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  std::uint64_t Position() const noexcept { return position_; }
  void Write(const void* data, std::size_t size);
  void Write(const std::string& data) { Write(data.data(), data.size()); }
  // Overwrites bytes already written at `offset`, then goes on at the end.
  void Patch(std::uint64_t offset, const std::string& data);
  // Drops everything from `offset` on, which becomes the position.
  void Rewind(std::uint64_t offset);
  // Copies `length` bytes of `source` from `offset` (reading failures give ReadFailed).
  void CopyFrom(HANDLE source, std::uint64_t offset, std::uint64_t length);
  void Flush();
  // Flushes and cuts the file at the position.
  void Finish();

 private:
  void WriteThrough(const char* data, std::size_t size);

  HANDLE file_;
  std::uint64_t position_;
  std::uint64_t flushed_;  // position of the first byte still in buffer_
  int failure_;
  int fault_;
  std::uint64_t writtenTotal_ = 0;
  std::string buffer_;
};

}  // namespace zip32
