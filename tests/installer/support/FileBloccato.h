// A file locked by another program: a separate Windows process in the same prefix holds it open
// with no sharing for as long as the owner lives. (A Linux process's open file locks nothing.)
#pragma once

#include <windows.h>

#include <string>

#include "raii/unique_any.h"

namespace talvo::test {

class FileBloccato {
 public:
  // Returns once the file is held; throws std::runtime_error when the other program cannot hold it.
  explicit FileBloccato(const std::string& percorso);
  ~FileBloccato();
  FileBloccato(const FileBloccato&) = delete;
  FileBloccato& operator=(const FileBloccato&) = delete;

 private:
  void Rilascia() noexcept;

  unique_handle pronto_;
  unique_handle rilascia_;
  unique_handle processo_;
};

}  // namespace talvo::test
