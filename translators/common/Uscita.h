// Where a translation's result is written. A rule that knows its result as pieces (views into the
// caller's statement and into literals) asks its destination once for room for the whole result
// and copies the pieces there, so the result is built in its final storage: a BSTR for a COM
// caller, a Testo for code that wants one.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>

#include "ListaBreve.h"
#include "Testo.h"

namespace talvo::translators {

class Uscita {
 public:
  // Room for exactly `lunghezza` characters, to be filled by the caller; asked for once.
  virtual char16_t* Riserva(std::size_t lunghezza) = 0;

 protected:
  ~Uscita() = default;
};

// A destination that keeps the result as a Testo.
class UscitaTesto final : public Uscita {
 public:
  char16_t* Riserva(std::size_t lunghezza) override {
    testo_.resize(lunghezza);
    return testo_.data();
  }
  Testo Prendi() && { return std::move(testo_); }

 private:
  Testo testo_;
};

// Copies text into the destination as the whole result.
inline void Scrivi(Uscita& uscita, Vista text) {
  char16_t* destinazione = uscita.Riserva(text.size());
  std::copy(text.begin(), text.end(), destinazione);
}

// A text held as the pieces it is made of, in order; none is copied until the text is written.
class Pezzi {
 public:
  void Aggiungi(Vista pezzo) {
    if (pezzo.empty()) return;
    pezzi_.push_back(pezzo);
    lunghezza_ += pezzo.size();
  }
  // Drops the last character; false when there is none.
  bool TogliUltimo() noexcept {
    if (pezzi_.empty()) return false;
    Vista& ultimo = pezzi_.back();
    ultimo.remove_suffix(1);
    if (ultimo.empty()) pezzi_.pop_back();
    --lunghezza_;
    return true;
  }
  std::size_t Lunghezza() const noexcept { return lunghezza_; }
  // Copies the pieces from `destinazione` on and returns the position after them.
  char16_t* Copia(char16_t* destinazione) const {
    for (std::size_t i = 0; i < pezzi_.size(); ++i) {
      destinazione = std::copy(pezzi_[i].begin(), pezzi_[i].end(), destinazione);
    }
    return destinazione;
  }

 private:
  ListaBreve<Vista, 8> pezzi_;
  std::size_t lunghezza_ = 0;
};

}  // namespace talvo::translators
