// Greedy matching with one backtrack point: the last `*` seen moves forward one character at a time.
#include "Wildcard.h"

#include <cwctype>

namespace zip32 {

bool HasWildcards(std::wstring_view text) noexcept {
  return text.find_first_of(L"*?") != std::wstring_view::npos;
}

bool MatchesWildcard(std::wstring_view pattern, std::wstring_view text) noexcept {
  std::size_t p = 0, t = 0;
  std::size_t star = std::wstring_view::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || std::towupper(pattern[p]) == std::towupper(text[t]))) {
      ++p;
      ++t;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      star = p++;
      resume = t;
    } else if (star != std::wstring_view::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

}  // namespace zip32
