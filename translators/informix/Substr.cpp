// The substr rule: each substr(expression,start,length) call, ended at its own matching ")",
// becomes expression[start,end] with end = start + length - 1.
//
// How it works: the calls are rewritten one at a time, always the first "substr" of the text as
// it stands, so that a call inside another call's expression is rewritten after it. To keep the
// cost in line with the statement's length, the text is held in two parts: `fatto`, the part
// already searched (it holds no "substr" except at its very end), and `resto`, the part still to
// search, kept reversed so that a rewritten call goes back in front of it cheaply.
#include <vector>

#include "RegoleInformix.h"
#include "com/RunTimeError.h"

namespace talvo::translators::informix {
namespace {

using com::RunTimeError;
namespace Numero = com::RunTimeNumber;

constexpr Vista kSubstr = u"substr";

// A whole number written with digits only; run-time error 13 for anything else (a blank too).
long long NumeroIntero(Vista text) {
  if (text.empty()) throw RunTimeError(Numero::TypeMismatch);
  long long value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') throw RunTimeError(Numero::TypeMismatch);
    value = value * 10 + (c - u'0');
    if (value > kPosizioneMassima) throw RunTimeError(Numero::Overflow);
  }
  return value;
}

bool FiniscePerSubstr(const Testo& fatto) {
  return fatto.size() >= kSubstr.size() && Vista(fatto).substr(fatto.size() - kSubstr.size()) == kSubstr;
}

}  // namespace

Testo ConvertiSubstr(Vista call) {
  // call = "substr(" arguments ")", the parentheses balanced.
  if (call.substr(0, kSubstr.size() + 1) != u"substr(" || call.empty() || call.back() != u')') {
    throw RunTimeError(Numero::InvalidCall);
  }
  const Vista argomenti = call.substr(kSubstr.size() + 1, call.size() - kSubstr.size() - 2);
  // The commas at the call's own level: the last two separate start and length.
  std::vector<std::size_t> virgole;
  int livello = 0;
  for (std::size_t i = 0; i < argomenti.size(); ++i) {
    const char16_t c = argomenti[i];
    if (c == u'(') ++livello;
    if (c == u')') --livello;
    if (c == u',' && livello == 0) virgole.push_back(i);
  }
  // A call with fewer than three arguments lacks a number where one is expected.
  if (virgole.size() < 2) throw RunTimeError(Numero::TypeMismatch);
  const std::size_t primaVirgola = virgole[virgole.size() - 2];
  const std::size_t ultimaVirgola = virgole.back();
  const Vista espressione = argomenti.substr(0, primaVirgola);
  const Vista inizio = argomenti.substr(primaVirgola + 1, ultimaVirgola - primaVirgola - 1);
  const Vista lunghezza = argomenti.substr(ultimaVirgola + 1);
  const long long fine = Posizione16(NumeroIntero(inizio) + NumeroIntero(lunghezza) - 1);

  Testo result(espressione);
  result += u'[';
  result += inizio;
  result += u',';
  const std::string cifre = std::to_string(fine);
  result.append(cifre.begin(), cifre.end());
  result += u']';
  return result;
}

Testo TraduciSubstr(Vista text) {
  Testo fatto;
  fatto.reserve(text.size());
  Testo resto(text.rbegin(), text.rend());
  for (;;) {
    if (FiniscePerSubstr(fatto)) {
      // The first "substr" of the text starts here; the call runs to its matching ")".
      Posizione16(static_cast<long long>(fatto.size() - kSubstr.size()) + 1);
      if (resto.empty() || resto.back() != u'(') throw RunTimeError(Numero::InvalidCall);
      std::size_t lunghezza = 0;  // characters of resto that belong to the call
      int livello = 0;
      do {
        if (lunghezza == resto.size()) throw RunTimeError(Numero::InvalidCall);
        const char16_t c = resto[resto.size() - 1 - lunghezza++];
        if (c == u'(') ++livello;
        if (c == u')') --livello;
      } while (livello > 0);
      Posizione16(static_cast<long long>(fatto.size() + lunghezza));
      Testo call(kSubstr);
      call.append(resto.rbegin(), resto.rbegin() + static_cast<std::ptrdiff_t>(lunghezza));
      const Testo convertita = ConvertiSubstr(call);
      fatto.resize(fatto.size() - kSubstr.size());
      resto.resize(resto.size() - lunghezza);
      resto.append(convertita.rbegin(), convertita.rend());
      continue;
    }
    if (resto.empty()) break;
    fatto += resto.back();
    resto.pop_back();
  }
  return fatto;
}

}  // namespace talvo::translators::informix
