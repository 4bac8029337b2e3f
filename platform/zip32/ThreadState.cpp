// The per-thread states live in one map keyed by thread id, guarded by a mutex. A thread's entry
// stays until the library is unloaded: removing it on thread exit would run under the loader lock.
#include "ThreadState.h"

#include <map>
#include <mutex>

namespace zip32 {
namespace {

std::mutex& StatesLock() {
  static std::mutex lock;
  return lock;
}

std::map<DWORD, ThreadState>& States() {
  static std::map<DWORD, ThreadState> states;
  return states;
}

char* TextOf(std::optional<std::string>& text) { return text ? text->data() : nullptr; }

}  // namespace

ZipOptionsRecord StoredOptions::View() {
  ZipOptionsRecord view = record;
  view.IncludeExcludeDate = TextOf(includeExcludeDate);
  view.RootDir = TextOf(rootDir);
  view.TempDir = TextOf(tempDir);
  return view;
}

ThreadState& CurrentThreadState() {
  std::lock_guard<std::mutex> guard(StatesLock());
  // std::map keeps references stable while other threads add their entries.
  return States()[::GetCurrentThreadId()];
}

}  // namespace zip32
