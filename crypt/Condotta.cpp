// The pipeline of the whole-file loop: reader and writer threads around the calling thread's cipher.
#include "Condotta.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace talvo::cifrel {
namespace {

// What the three stages share, under one lock. Counts are of blocks, from the file's start.
class Stato {
 public:
  Stato(std::uint64_t dimensione, Misure misure)
      : dimensione_(dimensione),
        misure_(misure),
        blocchi_(dimensione == 0 ? 1 : (dimensione + misure.blocco - 1) / misure.blocco),
        buffer_(misure.buffer, std::vector<std::uint8_t>(static_cast<std::size_t>(std::max<std::uint64_t>(
                                   1, std::min<std::uint64_t>(misure.blocco, dimensione))))) {}

  std::uint64_t Blocchi() const noexcept { return blocchi_; }
  std::uint8_t* Buffer(std::uint64_t b) noexcept { return buffer_[b % buffer_.size()].data(); }
  std::uint32_t Byte(std::uint64_t b) const noexcept {
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(misure_.blocco, dimensione_ - b * misure_.blocco));
  }

  // Each stage waits until block b has come through the stage before it (true), or until that
  // stage has ended before b or the writer has ended (false).
  bool AttendiPerLettura(std::uint64_t b) {
    std::unique_lock<std::mutex> lock(mutex_);
    cambiato_.wait(lock, [&] { return fermo_ || b < scritti_ + buffer_.size(); });
    return !fermo_;
  }
  bool AttendiPerCifra(std::uint64_t b) {
    std::unique_lock<std::mutex> lock(mutex_);
    cambiato_.wait(lock, [&] { return fermo_ || b < letti_ || letturaFinita_; });
    return !fermo_ && b < letti_;
  }
  bool AttendiPerScrittura(std::uint64_t b) {
    std::unique_lock<std::mutex> lock(mutex_);
    cambiato_.wait(lock, [&] { return fermo_ || b < cifrati_ || cifraFinita_; });
    return !fermo_ && b < cifrati_;
  }

  void Letto() {
    Segna([&] { ++letti_; });
  }
  void Cifrato() {
    Segna([&] { ++cifrati_; });
  }
  void Scritto() {
    Segna([&] { ++scritti_; });
  }
  void FineLettura(bool guasto) {
    Segna([&] { letturaFinita_ = true, guastoLettura_ = guasto; });
  }
  void FineCifra(bool guasto) {
    Segna([&] { cifraFinita_ = true, guastoCifra_ = guasto; });
  }
  // Once nothing more is written, the reader has nothing to read ahead for (it may be waiting for a
  // buffer that no write will free).
  void FineScrittura(bool guasto) {
    Segna([&] { guastoScrittura_ = guasto, fermo_ = true; });
  }
  // Every stage stops waiting: the call is ending early.
  void Ferma() {
    Segna([&] { fermo_ = true; });
  }

  Guasto Esito() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (guastoScrittura_) return Guasto::Scrittura;
    if (guastoCifra_) return Guasto::Cifratura;
    if (guastoLettura_) return Guasto::Lettura;
    return Guasto::Nessuno;
  }

 private:
  template <typename Cambio>
  void Segna(Cambio&& cambio) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      cambio();
    }
    cambiato_.notify_all();
  }

  const std::uint64_t dimensione_;
  const Misure misure_;
  const std::uint64_t blocchi_;
  std::vector<std::vector<std::uint8_t>> buffer_;
  std::mutex mutex_;
  std::condition_variable cambiato_;
  std::uint64_t letti_ = 0, cifrati_ = 0, scritti_ = 0;
  bool letturaFinita_ = false, cifraFinita_ = false, fermo_ = false;
  bool guastoLettura_ = false, guastoCifra_ = false, guastoScrittura_ = false;
};

void Lettore(Tappe& tappe, Stato& stato) {
  for (std::uint64_t b = 0; b < stato.Blocchi(); ++b) {
    if (!stato.AttendiPerLettura(b)) return stato.FineLettura(false);
    if (!tappe.Leggi(stato.Buffer(b), stato.Byte(b))) return stato.FineLettura(true);
    stato.Letto();
  }
  stato.FineLettura(false);
}

void Scrittore(Tappe& tappe, Stato& stato) {
  for (std::uint64_t b = 0; b < stato.Blocchi(); ++b) {
    if (!stato.AttendiPerScrittura(b)) return stato.FineScrittura(false);
    if (!tappe.Scrivi(stato.Buffer(b), stato.Byte(b))) return stato.FineScrittura(true);
    stato.Scritto();
  }
  stato.FineScrittura(false);
}

// Joins the threads however the call ends; they are told to stop first, so none waits for ever.
class Fili {
 public:
  explicit Fili(Stato& stato) : stato_(stato) {}
  ~Fili() {
    if (!finiti_) stato_.Ferma();
    for (std::thread& filo : fili_) filo.join();
  }
  template <typename Corpo>
  void Avvia(Corpo&& corpo) {
    fili_.emplace_back(std::forward<Corpo>(corpo));
  }
  // The stages ran to their end: the threads are joined without being stopped.
  void Finiti() noexcept { finiti_ = true; }

 private:
  Stato& stato_;
  std::vector<std::thread> fili_;
  bool finiti_ = false;
};

}  // namespace

Guasto Elabora(Tappe& tappe, std::uint64_t dimensione, Misure misure) {
  misure.buffer = std::max<std::size_t>(2, misure.buffer);
  Stato stato(dimensione, misure);
  // One block has nothing to overlap: it is done here, without the cost of starting threads.
  if (stato.Blocchi() == 1) {
    const std::uint32_t n = stato.Byte(0);
    if (!tappe.Leggi(stato.Buffer(0), n)) return Guasto::Lettura;
    if (!tappe.Cifra(stato.Buffer(0), n, true)) return Guasto::Cifratura;
    if (!tappe.Scrivi(stato.Buffer(0), n)) return Guasto::Scrittura;
    return Guasto::Nessuno;
  }
  {
    Fili fili(stato);
    fili.Avvia([&] { Lettore(tappe, stato); });
    fili.Avvia([&] { Scrittore(tappe, stato); });
    bool guasto = false;
    for (std::uint64_t b = 0; b < stato.Blocchi() && !guasto; ++b) {
      if (!stato.AttendiPerCifra(b)) break;
      guasto = !tappe.Cifra(stato.Buffer(b), stato.Byte(b), b + 1 == stato.Blocchi());
      if (!guasto) stato.Cifrato();
    }
    stato.FineCifra(guasto);
    fili.Finiti();
  }
  return stato.Esito();
}

}  // namespace talvo::cifrel
