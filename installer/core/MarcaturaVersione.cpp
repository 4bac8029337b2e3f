// The release marker: one line, the whole file replaced at each write.
#include "MarcaturaVersione.h"

#include "ErroreRuntime.h"
#include "FileTesto.h"
#include "Ini.h"
#include "Sessione.h"
#include "Testo.h"

namespace talvo {

std::optional<int> AnnoRelease(const std::string& release) {
  if (release.size() < 4) return std::nullopt;
  int anno = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    if (release[i] < '0' || release[i] > '9') return std::nullopt;
    anno = anno * 10 + (release[i] - '0');
  }
  return anno;
}

bool ReleaseDaRegistrare(const std::string& release) {
  const std::optional<int> anno = AnnoRelease(release);
  return anno && *anno < 2099;
}

void ScriviMarcaturaVersione(const Sessione& sessione, const std::string& radice) {
  IgnoraErrori([&] {
    const std::string release =
        PrimaDellaBarra(LeggiIni(sessione.FileSetupPBD(), "NUOVAVERSIONE", "Versione"));
    if (ReleaseDaRegistrare(release))
      ScriviRiga(radice + "sys\\vtrcntrl.ini", release, ModoScrittura::Sostituisci);
  });
}

}  // namespace talvo
