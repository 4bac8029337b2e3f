// The file loop's pipeline over steps in memory: every block in order with the final flag on the
// last one, and a failed read, cipher call or write deciding the outcome as a one-block-at-a-time
// loop would, whichever block and step fail first.
#include "Condotta.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace talvo::cifrel {
namespace {

constexpr std::uint64_t kNessuno = ~std::uint64_t{0};

// Input bytes from a formula; the "cipher" adds a running count, so that blocks out of order or
// repeated change the output; a step fails on the block given.
class TappeInMemoria final : public Tappe {
 public:
  TappeInMemoria(std::uint64_t dimensione, std::uint64_t leggiFallisce, std::uint64_t cifraFallisce,
                 std::uint64_t scriviFallisce)
      : dimensione_(dimensione),
        leggiFallisce_(leggiFallisce),
        cifraFallisce_(cifraFallisce),
        scriviFallisce_(scriviFallisce) {}

  bool Leggi(std::uint8_t* dati, std::uint32_t n) override {
    if (letti_++ == leggiFallisce_) return false;
    for (std::uint32_t i = 0; i < n; ++i) dati[i] = Chiaro(posizione_++);
    return true;
  }
  bool Cifra(std::uint8_t* dati, std::uint32_t n, bool finale) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (cifrati_++ == cifraFallisce_) return false;
    for (std::uint32_t i = 0; i < n; ++i) dati[i] = static_cast<std::uint8_t>(dati[i] + flusso_++);
    finali_.push_back(finale);
    return true;
  }
  bool Scrivi(const std::uint8_t* dati, std::uint32_t n) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (scritti_++ == scriviFallisce_) return false;
    uscita_.append(reinterpret_cast<const char*>(dati), n);
    return true;
  }

  static std::uint8_t Chiaro(std::uint64_t i) { return static_cast<std::uint8_t>(i * 131 + 7); }
  // What a loop over the first `byte` bytes writes.
  static std::string Atteso(std::uint64_t byte) {
    std::string atteso;
    for (std::uint64_t i = 0; i < byte; ++i)
      atteso += static_cast<char>(static_cast<std::uint8_t>(Chiaro(i) + i));
    return atteso;
  }

  const std::string& Uscita() const { return uscita_; }
  const std::vector<bool>& Finali() const { return finali_; }

 private:
  std::uint64_t dimensione_;
  std::uint64_t leggiFallisce_, cifraFallisce_, scriviFallisce_;
  std::uint64_t letti_ = 0, cifrati_ = 0, scritti_ = 0, posizione_ = 0;
  std::uint8_t flusso_ = 0;
  std::mutex mutex_;
  std::vector<bool> finali_;
  std::string uscita_;
};

TEST(CondottaTest, EveryBlockInOrderWithTheFinalFlagOnTheLastCall) {
  for (std::size_t buffer : {2u, 3u, 5u}) {
    for (std::uint64_t dimensione : {0u, 1u, 15u, 16u, 17u, 163u, 4096u}) {
      TappeInMemoria tappe(dimensione, kNessuno, kNessuno, kNessuno);
      ASSERT_EQ(Elabora(tappe, dimensione, {16, buffer}), Guasto::Nessuno) << dimensione;
      EXPECT_EQ(tappe.Uscita(), TappeInMemoria::Atteso(dimensione)) << dimensione;
      // An empty input still makes one (final) call.
      const std::size_t blocchi = dimensione == 0 ? 1 : static_cast<std::size_t>((dimensione + 15) / 16);
      std::vector<bool> finali(blocchi, false);
      finali.back() = true;
      EXPECT_EQ(tappe.Finali(), finali) << dimensione << " in " << buffer << " buffers";
    }
  }
}

TEST(CondottaTest, TheFirstFailureInTheFileDecidesAndNothingAfterItIsWritten) {
  struct Caso {
    const char* descrizione;
    std::uint64_t leggi, cifra, scrivi;  // the block whose step fails
    Guasto atteso;
    std::uint64_t blocchiScritti;
  };
  const Caso casi[] = {
      {"read of the first block", 0, kNessuno, kNessuno, Guasto::Lettura, 0},
      {"read of a middle block", 4, kNessuno, kNessuno, Guasto::Lettura, 4},
      {"read of the last block", 10, kNessuno, kNessuno, Guasto::Lettura, 10},
      {"cipher call of a middle block", kNessuno, 3, kNessuno, Guasto::Cifratura, 3},
      {"final cipher call", kNessuno, 10, kNessuno, Guasto::Cifratura, 10},
      {"write of the first block", kNessuno, kNessuno, 0, Guasto::Scrittura, 0},
      {"write of a middle block", kNessuno, kNessuno, 6, Guasto::Scrittura, 6},
      {"write of the last block", kNessuno, kNessuno, 10, Guasto::Scrittura, 10},
      {"a write before a later read", 7, kNessuno, 2, Guasto::Scrittura, 2},
      {"a read before a later cipher call", 1, 5, kNessuno, Guasto::Lettura, 1},
      {"a cipher call before a later write", kNessuno, 2, 8, Guasto::Cifratura, 2},
      {"read and write of the same block", 3, kNessuno, 3, Guasto::Lettura, 3},
  };
  // 11 blocks of 16 bytes, the last one short.
  constexpr std::uint64_t kDimensione = 10 * 16 + 5;
  for (const Caso& caso : casi) {
    for (std::size_t buffer : {2u, 4u}) {
      TappeInMemoria tappe(kDimensione, caso.leggi, caso.cifra, caso.scrivi);
      EXPECT_EQ(Elabora(tappe, kDimensione, {16, buffer}), caso.atteso) << caso.descrizione;
      EXPECT_EQ(tappe.Uscita(), TappeInMemoria::Atteso(caso.blocchiScritti * 16)) << caso.descrizione;
    }
  }
}

}  // namespace
}  // namespace talvo::cifrel
