// One run of ZpArchive: reads the options of the calling thread, selects the files, plans which
// entries are kept, replaced, added or deleted, writes the new archive through a temporary file
// (or in place when appending) and finishes with the moves and times asked for.
#pragma once

#include <string>
#include <vector>

#include "ThreadState.h"

namespace zip32 {

// Returns the run's result; throws Failure, or std::bad_alloc when memory runs out.
int RunArchive(ThreadState& state, const std::string& archiveName, const std::vector<std::string>& names);

}  // namespace zip32
