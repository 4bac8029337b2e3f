// The entry points of zip32.dll. Each is noexcept: no exception crosses into the caller.
#include <windows.h>

#include <new>
#include <optional>
#include <string>
#include <vector>

#include "ArchiveRun.h"
#include "Failure.h"
#include "TestHook.h"
#include "ThreadState.h"
#include "Zip32.h"

namespace {

std::optional<std::string> Copy(const char* text) {
  if (!text) return std::nullopt;
  return std::string(text);
}

// Clears the thread's running mark when a run ends, however it ends.
class RunningMark {
 public:
  explicit RunningMark(zip32::ThreadState& state) noexcept : state_(state) { state_.archiving = true; }
  ~RunningMark() { state_.archiving = false; }
  RunningMark(const RunningMark&) = delete;
  RunningMark& operator=(const RunningMark&) = delete;

 private:
  zip32::ThreadState& state_;
};

}  // namespace

extern "C" {

int WINAPI ZpInit(ZipCallbacksRecord* callbacks) noexcept {
  if (!callbacks) return FALSE;
  try {
    zip32::ThreadState& state = zip32::CurrentThreadState();
    if (state.archiving) return FALSE;
    state.callbacks = *callbacks;
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

int WINAPI ZpSetOptions(ZipOptionsRecord* options) noexcept {
  if (!options) return FALSE;
  try {
    zip32::ThreadState& state = zip32::CurrentThreadState();
    if (state.archiving) return FALSE;
    zip32::StoredOptions stored;
    stored.record = *options;
    stored.includeExcludeDate = Copy(options->IncludeExcludeDate);
    stored.rootDir = Copy(options->RootDir);
    stored.tempDir = Copy(options->TempDir);
    state.options = std::move(stored);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

ZipOptionsRecord WINAPI ZpGetOptions() noexcept {
  try {
    return zip32::CurrentThreadState().options.View();
  } catch (...) {
    return ZipOptionsRecord{};
  }
}

int WINAPI ZpArchive(int count, char* archive, ZipNamesRecord* names) noexcept {
  try {
    zip32::ThreadState& state = zip32::CurrentThreadState();
    // A call from inside one of this thread's callbacks would work on the run in progress.
    if (state.archiving) return zip32::InternalError;
    RunningMark mark(state);
    std::vector<std::string> list;
    if (names) {
      for (int i = 0; i < count && i < kZipNameSlots; ++i) {
        if (names->Names[i]) list.emplace_back(names->Names[i]);
      }
    }
    return zip32::RunArchive(state, archive ? std::string(archive) : std::string(), list);
  } catch (const zip32::Failure& failure) {
    return failure.Result();
  } catch (const std::bad_alloc&) {
    return zip32::OutOfMemory;
  } catch (...) {
    return zip32::InternalError;
  }
}

// For tests only: provokes a failure that no real input produces on demand.
void WINAPI ZpTestHook(int fault, long long after) noexcept { zip32::SetTestFault(fault, after); }

}  // extern "C"
