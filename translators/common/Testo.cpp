// Text primitives of the translation rules.
#include "Testo.h"

#include <cstring>

#include "com/RunTimeError.h"

namespace talvo::translators {

using com::RunTimeError;
namespace Numero = com::RunTimeNumber;

void ErroreRuntime(int number) { throw RunTimeError(number); }

std::size_t Trova(Vista text, Vista needle, std::size_t start) {
  if (start < 1) start = 1;
  if (start > text.size() + 1) return 0;
  if (needle.empty()) return start <= text.size() ? start : 0;
  if (needle.size() > text.size()) return 0;
  // The first character picks the candidates, the rest is compared only there.
  const char16_t first = needle[0];
  const std::size_t rest = (needle.size() - 1) * sizeof(char16_t);
  const char16_t* const begin = text.data();
  const char16_t* const end = begin + (text.size() - needle.size() + 1);  // past the last candidate
  for (const char16_t* p = begin + (start - 1); p < end; ++p) {
    if (*p == first && std::memcmp(p + 1, needle.data() + 1, rest) == 0) {
      return static_cast<std::size_t>(p - begin) + 1;
    }
  }
  return 0;
}

Testo Mid(Vista text, long long start, long long length) { return Testo(MidVista(text, start, length)); }

Testo Mid(Vista text, long long start) { return Testo(MidVista(text, start)); }

Testo Left(Vista text, long long n) {
  if (n < 0) throw RunTimeError(Numero::InvalidCall);
  return Testo(text.substr(0, static_cast<std::size_t>(n)));
}

Testo Maiuscolo(Vista text) {
  Testo result(text);
  for (char16_t& c : result) c = Maiuscola(c);
  return result;
}

namespace {

// Replaces from the left; `searched` is the text the needle is looked for in (the text itself,
// or its upper-case form when case does not matter), position for position the same as text.
Testo Sostituisci(Vista text, Vista searched, Vista needle, Vista replacement, bool onlyFirst) {
  if (needle.empty()) return Testo(text);
  Testo result;
  result.reserve(text.size());
  std::size_t from = 0;
  for (;;) {
    std::size_t found = searched.find(needle, from);
    if (found == Vista::npos) break;
    result.append(text.substr(from, found - from));
    result.append(replacement);
    from = found + needle.size();
    if (onlyFirst) break;
  }
  result.append(text.substr(from));
  return result;
}

}  // namespace

Testo SostituisciTutti(Vista text, Vista needle, Vista replacement) {
  return Sostituisci(text, text, needle, replacement, false);
}

Testo SostituisciPrimo(Vista text, Vista needle, Vista replacement) {
  return Sostituisci(text, text, needle, replacement, true);
}

Testo SostituisciTuttiSenzaMaiuscole(Vista text, Vista needle, Vista replacement) {
  return Sostituisci(text, Maiuscolo(text), Maiuscolo(needle), replacement, false);
}

Testo SostituisciPrimoSenzaMaiuscole(Vista text, Vista needle, Vista replacement) {
  return Sostituisci(text, Maiuscolo(text), Maiuscolo(needle), replacement, true);
}

bool IniziaSenzaMaiuscole(Vista text, Vista prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Maiuscola(text[i]) != Maiuscola(prefix[i])) return false;
  }
  return true;
}

}  // namespace talvo::translators
