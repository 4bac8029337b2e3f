// Name patterns with `*` (any run of characters) and `?` (one character), compared without
// regard to case as the Windows file system compares names.
#pragma once

#include <string_view>

namespace zip32 {

bool HasWildcards(std::wstring_view text) noexcept;
bool MatchesWildcard(std::wstring_view pattern, std::wstring_view text) noexcept;

}  // namespace zip32
