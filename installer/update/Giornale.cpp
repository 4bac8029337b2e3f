// The journal's lines, and the one open handle through which a run appends them.
#include "Giornale.h"

#include <windows.h>

#include <cstdlib>

#include "core/ErroreRuntime.h"

namespace talvo {

namespace {

constexpr const char* Intestazione = "SetupTalvo giornale 1";
constexpr const char* RigaCompletato = "completato";
constexpr const char* FineRiga = "\r\n";

std::string Flag(const VoceGiornale& voce) {
  std::string flag;
  if (voce.Voce.EsistevaPrima) flag += 'E';
  if (voce.Voce.Rinominato) flag += 'R';
  if (voce.Voce.CopiaIniziata) flag += 'C';
  if (voce.Ripristinata) flag += 'P';
  return flag.empty() ? "-" : flag;
}

bool Numero(const std::string& testo, std::size_t& numero) {
  if (testo.empty() || testo.size() > 9 || testo.find_first_not_of("0123456789") != std::string::npos)
    return false;
  numero = std::strtoul(testo.c_str(), nullptr, 10);
  return true;
}

// One entry's line; false when it is not one.
bool LeggiVoce(const std::string& riga, VoceGiornale& voce) {
  std::string campi[4];
  std::size_t inizio = 0;
  for (int i = 0; i < 3; ++i) {
    const std::size_t barra = riga.find('|', inizio);
    if (barra == std::string::npos) return false;
    campi[i] = riga.substr(inizio, barra - inizio);
    inizio = barra + 1;
  }
  campi[3] = riga.substr(inizio);
  std::size_t area = 0;
  if (!Numero(campi[0], voce.Numero) || !Numero(campi[2], area) || area > 0x7FFF) return false;
  // A backup is a path ending in ".old" and never holds the separator.
  if (campi[3].size() <= 4 || campi[3].find('|') != std::string::npos) return false;
  voce.Voce = FileSovrascritto{campi[3], static_cast<int>(area)};
  voce.Ripristinata = false;
  if (campi[1] == "-") return true;
  const std::string ordine = "ERCP";
  std::size_t dopo = 0;
  for (const char lettera : campi[1]) {
    const std::size_t posizione = ordine.find(lettera, dopo);
    if (posizione == std::string::npos) return false;
    dopo = posizione + 1;
    switch (lettera) {
      case 'E': voce.Voce.EsistevaPrima = true; break;
      case 'R': voce.Voce.Rinominato = true; break;
      case 'C': voce.Voce.CopiaIniziata = true; break;
      default: voce.Ripristinata = true; break;
    }
  }
  return !campi[1].empty();
}

void ScriviTutto(HANDLE file, const std::string& dati) {
  DWORD scritti = 0;
  if (!::WriteFile(file, dati.data(), static_cast<DWORD>(dati.size()), &scritti, nullptr)) {
    SollevaUltimoErroreWin32();
  }
  if (scritti != dati.size()) throw ErroreRuntime(NumeroErrore::DiscoPieno);
}

void Svuota(HANDLE file) {
#ifndef TALVO_BENCHMARK_GIORNALE_SENZA_FLUSH  // defined only by a benchmark build, never shipped
  if (!::FlushFileBuffers(file)) SollevaUltimoErroreWin32();
#else
  (void)file;
#endif
}

}  // namespace

bool VoceGiornale::operator==(const VoceGiornale& altra) const {
  return Numero == altra.Numero && Voce.Backup == altra.Voce.Backup && Voce.Area == altra.Voce.Area &&
         Voce.EsistevaPrima == altra.Voce.EsistevaPrima && Voce.Rinominato == altra.Voce.Rinominato &&
         Voce.CopiaIniziata == altra.Voce.CopiaIniziata && Ripristinata == altra.Ripristinata;
}

std::string RigaGiornale(const VoceGiornale& voce) {
  return std::to_string(voce.Numero) + "|" + Flag(voce) + "|" + std::to_string(voce.Voce.Area) + "|" +
         voce.Voce.Backup;
}

ContenutoGiornale AnalizzaGiornale(const std::string& testo) {
  ContenutoGiornale contenuto;
  std::map<std::size_t, VoceGiornale> voci;
  bool prima = true;
  for (std::size_t inizio = 0;;) {
    const std::size_t fine = testo.find(FineRiga, inizio);
    if (fine == std::string::npos) break;  // nothing, or a line a crash cut off
    const std::string riga = testo.substr(inizio, fine - inizio);
    inizio = fine + 2;
    if (prima) {
      prima = false;
      if (riga != Intestazione) {
        contenuto.Riconosciuto = false;
        return contenuto;
      }
      continue;
    }
    VoceGiornale voce;
    if (riga == RigaCompletato) {
      contenuto.Completato = true;
    } else if (LeggiVoce(riga, voce)) {
      voci[voce.Numero] = voce;
    } else {
      ++contenuto.RigheIgnorate;
    }
  }
  for (auto& [numero, voce] : voci) contenuto.Voci.push_back(voce);
  return contenuto;
}

Giornale::Giornale(std::string percorso, unique_hfile file, PuntoCrash crash)
    : percorso_(std::move(percorso)), file_(std::move(file)), crash_(crash) {}

Giornale Giornale::Crea(const std::string& percorso) {
  unique_hfile file = make_hfile(::CreateFileA(percorso.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                               CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) SollevaUltimoErroreWin32();
  Giornale giornale(percorso, std::move(file), PuntoCrash::DaAmbiente());
  giornale.Scrivi(Intestazione);
  giornale.SuDisco();
  return giornale;
}

Giornale Giornale::Riapri(const std::string& percorso) {
  unique_hfile file =
      make_hfile(::CreateFileA(percorso.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) SollevaUltimoErroreWin32();
  std::string testo;
  char blocco[64 * 1024];
  for (;;) {
    DWORD letti = 0;
    if (!::ReadFile(file.get(), blocco, sizeof blocco, &letti, nullptr)) SollevaUltimoErroreWin32();
    if (letti == 0) break;
    testo.append(blocco, letti);
  }
  Giornale giornale(percorso, std::move(file), PuntoCrash::DaAmbiente());
  giornale.contenuto_ = AnalizzaGiornale(testo);
  if (!giornale.contenuto_.Riconosciuto) {
    // Not a journal this program wrote: left exactly as it is, and nothing is written into it.
    giornale.file_.reset();
    return giornale;
  }
  for (std::size_t i = 0; i < giornale.contenuto_.Voci.size(); ++i) {
    giornale.posizioni_[giornale.contenuto_.Voci[i].Numero] = i;
  }
  // Lines appended from here on start after the last complete line, never inside a cut-off one.
  const std::size_t fine = testo.rfind(FineRiga);
  LARGE_INTEGER posizione{};
  posizione.QuadPart = fine == std::string::npos ? 0 : static_cast<LONGLONG>(fine + 2);
  if (!::SetFilePointerEx(giornale.file_.get(), posizione, nullptr, FILE_BEGIN) ||
      !::SetEndOfFile(giornale.file_.get())) {
    SollevaUltimoErroreWin32();
  }
  if (posizione.QuadPart == 0) giornale.Scrivi(Intestazione);
  return giornale;
}

void Giornale::Scrivi(const std::string& riga) {
  if (!file_) throw ErroreRuntime(NumeroErrore::ChiamataNonValida);
  ScriviTutto(file_.get(), riga + FineRiga);
}

void Giornale::SuDisco() { Svuota(file_.get()); }

VoceGiornale* Giornale::Voce(std::size_t numero) {
  const auto trovata = posizioni_.find(numero);
  return trovata == posizioni_.end() ? nullptr : &contenuto_.Voci[trovata->second];
}

void Giornale::Registra(std::size_t numero, const FileSovrascritto& voce) {
  Annota(numero, voce);
  Conferma();
}

void Giornale::Annota(std::size_t numero, const FileSovrascritto& voce) {
  const std::string& backup = voce.Backup;
  if (backup.find_first_of("|\r\n") != std::string::npos)
    throw ErroreRuntime(NumeroErrore::NomeFileNonValido);
  const VoceGiornale registrata{numero, voce};
  Scrivi(RigaGiornale(registrata));
  if (VoceGiornale* giaRegistrata = Voce(numero)) {
    *giaRegistrata = registrata;
  } else {
    posizioni_[numero] = contenuto_.Voci.size();
    contenuto_.Voci.push_back(registrata);
  }
  daConfermare_.push_back(numero);
}

void Giornale::Conferma() {
  if (daConfermare_.empty()) return;
  SuDisco();
  std::vector<std::size_t> confermate;
  confermate.swap(daConfermare_);
  for (const std::size_t numero : confermate) crash_.Verifica(EventoCrash::Voce, numero + 1);
}

void Giornale::Aggiorna(std::size_t numero, const FileSovrascritto& voce) {
  VoceGiornale* registrata = Voce(numero);
  if (registrata == nullptr) return;  // never recorded: nothing was done to its destination
  VoceGiornale aggiornata = *registrata;
  aggiornata.Voce = voce;
  Scrivi(RigaGiornale(aggiornata));
  *registrata = aggiornata;
}

void Giornale::Rinominata(std::size_t numero, const FileSovrascritto& voce) {
  crash_.Verifica(EventoCrash::Rinomina, numero + 1);
  Aggiorna(numero, voce);
}

void Giornale::Copiata(std::size_t numero, const FileSovrascritto& voce) {
  crash_.Verifica(EventoCrash::Copia, numero + 1);
  Aggiorna(numero, voce);
}

void Giornale::Ripristinata(std::size_t numero) {
  crash_.Verifica(EventoCrash::Ripristino, numero + 1);
  VoceGiornale* registrata = Voce(numero);
  if (!file_ || registrata == nullptr) return;
  VoceGiornale ripristinata = *registrata;
  ripristinata.Ripristinata = true;
  Scrivi(RigaGiornale(ripristinata));
  *registrata = ripristinata;
}

void Giornale::Completa() {
  if (!file_) return;
  Scrivi(RigaCompletato);
  SuDisco();
  contenuto_.Completato = true;
  Elimina();
}

void Giornale::Elimina() {
  if (!file_) return;
  file_.reset();
  if (!::DeleteFileA(percorso_.c_str())) SollevaUltimoErroreWin32();
}

std::size_t Giornale::Chiudi() {
  if (!file_) return 0;
  std::string rimaste;
  std::size_t quante = 0;
  for (const VoceGiornale& voce : contenuto_.Voci) {
    if (voce.Ripristinata) continue;
    rimaste += RigaGiornale(voce) + FineRiga;
    ++quante;
  }
  if (quante == 0) {
    Elimina();
    return 0;
  }
  file_.reset();
  // The shorter journal is written beside the old one and then takes its place in one step, so
  // that a crash leaves one or the other, each of them whole.
  const std::string nuovo = percorso_ + ".nuovo";
  {
    const unique_hfile file = make_hfile(::CreateFileA(nuovo.c_str(), GENERIC_WRITE, 0, nullptr,
                                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) SollevaUltimoErroreWin32();
    ScriviTutto(file.get(), Intestazione + std::string(FineRiga) + rimaste);
    Svuota(file.get());
  }
  if (!::MoveFileExA(nuovo.c_str(), percorso_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD errore = ::GetLastError();
    ::DeleteFileA(nuovo.c_str());
    SollevaErroreWin32(errore);
  }
  return quante;
}

}  // namespace talvo
