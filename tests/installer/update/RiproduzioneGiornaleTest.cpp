// Playing back a journal left in c:\SetupTalvo.journal, over real files: each state an entry can
// be in when a run dies, entries that cannot be put back and stay for the next start, the journal
// of a run that completed, a file that is not a journal.
#include <gtest/gtest.h>
#include <windows.h>

#include "ConLogDiProva.h"
#include "FakeDesktop.h"
#include "FileBloccato.h"
#include "FileDiProva.h"
#include "InstallazioneDiProva.h"
#include "update/Giornale.h"
#include "update/RiproduzioneGiornale.h"

namespace talvo {
namespace {

using test::LeggiFile;

const std::string Intestazione = "SetupTalvo giornale 1\r\n";
const std::string Percorso = "c:\\SetupTalvo.journal";

// The file's text, or "-" when there is no file.
std::string Contenuto(const std::string& percorso) {
  return test::EsisteFile(percorso) ? LeggiFile(percorso) : "-";
}

void Scrivi(const std::string& percorso, const std::string& testo) {
  if (testo != "-") test::InstallazioneDiProva::Scrivi(percorso, testo);
}

class RiproduzioneGiornaleTest : public test::ConLogDiProva {
 protected:
  std::string File(const std::string& nome) const { return cartella / nome; }

  test::CartellaTemporanea cartella;
  test::FakeDesktop desktop;
};

TEST_F(RiproduzioneGiornaleTest, EachEntryIsPutBackFromWhatTheJournalAndTheDiskShow) {
  struct Caso {
    const char* nome;      // the destination's file name
    const char* flag;      // the entry's last line in the journal
    const char* prima[2];  // destination and backup when the run died ("-": none)
    const char* dopo[2];   // ... after the playback
    const char* log;       // the start of the entry's log line
    bool backupNascosto = false;
  };
  const Caso casi[] = {
      // Renamed and copied, and the journal says so.
      {"sostituito.dll", "ERC", {"nuovo", "installato"}, {"installato", "-"}, "Ripristinato il file "},
      // Killed after the rename, before the journal said so.
      {"rinominato.dll", "E", {"-", "installato"}, {"installato", "-"}, "Ripristinato il file "},
      // Power cut: renamed and half copied, only the entry reached the disk.
      {"copiato.dll", "E", {"nuo", "installato"}, {"installato", "-"}, "Ripristinato il file "},
      // Killed before the rename: the installed file never moved.
      {"intatto.dll",
       "E",
       {"installato", "-"},
       {"installato", "-"},
       "Nessuna modifica da annullare per il file "},
      // New to the installation, copied, with or without the journal saying so.
      {"creato.dll",
       "C",
       {"nuovo", "-"},
       {"-", "-"},
       "Eliminato il file lasciato dall'aggiornamento interrotto "},
      {"copiando.dll",
       "-",
       {"nu", "-"},
       {"-", "-"},
       "Eliminato il file lasciato dall'aggiornamento interrotto "},
      {"mai.dll", "-", {"-", "-"}, {"-", "-"}, "Nessuna modifica da annullare per il file "},
      // The backup name was taken by a hidden old backup, which the run does not see and so does
      // not remove: the rename failed, and that file is never put in place of the installed one.
      {"bloccato.dll",
       "E",
       {"installato", "vecchio"},
       {"installato", "vecchio"},
       "Nessuna modifica da annullare per il file ",
       true},
      // Put back already by a playback that died before marking it.
      {"rimesso.dll",
       "ERC",
       {"installato", "-"},
       {"installato", "-"},
       "Nessuna modifica da annullare per il file "},
      // Database scripts are deleted and keep no backup in place.
      {"S1.SYB",
       "ERC",
       {"nuovo", "installato"},
       {"-", "installato"},
       "Eliminato il file lasciato dall'aggiornamento interrotto "},
      {"S2.ifx", "E", {"installato", "-"}, {"installato", "-"}, "Nessuna modifica da annullare per il file "},
  };
  std::string giornale = Intestazione;
  std::vector<std::string> log = {
      "Funzione: Ripristino Giornale Descrizione: Trovato il giornale di un aggiornamento interrotto: " +
      Percorso + " AVVISO"};
  std::size_t numero = 0;
  for (const Caso& caso : casi) {
    Scrivi(File(caso.nome), caso.prima[0]);
    Scrivi(File(caso.nome) + ".old", caso.prima[1]);
    if (caso.backupNascosto) ::SetFileAttributesA((File(caso.nome) + ".old").c_str(), FILE_ATTRIBUTE_HIDDEN);
    giornale += std::to_string(numero++) + "|" + caso.flag + "|0|" + File(caso.nome) + ".old\r\n";
    log.push_back("Funzione: Ripristino Giornale Descrizione: " + std::string(caso.log) + File(caso.nome) +
                  " ESITO OK");
  }
  test::ScriviFile(Percorso, giornale);
  log.push_back(
      "Funzione: Ripristino Giornale Descrizione: Giornale riprodotto, tutti i file sono stati "
      "ripristinati: " +
      Percorso + " ESITO OK");

  ASSERT_TRUE(GiornalePresente());
  EXPECT_EQ(RiproduciGiornale(sessione, desktop), EsitoGiornale::Ripristinato);
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.nome);
    EXPECT_EQ(Contenuto(File(caso.nome)), caso.dopo[0]);
    EXPECT_EQ(Contenuto(File(caso.nome) + ".old"), caso.dopo[1]);
  }
  EXPECT_EQ(Log(), log);
  EXPECT_FALSE(GiornalePresente());
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Identita[0], IdMessaggio::GiornaleRipristinato);
  EXPECT_EQ(desktop.Messaggi[0],
            (test::MessaggioMostrato{"L'ultimo aggiornamento si è interrotto prima di "
                                     "terminare.\r\nI file delle aree che aveva già "
                                     "sostituito sono stati ripristinati.",
                                     "SetupTalvo", IconaMessaggio::Esclamazione, PulsantiMessaggio::Ok}));

  // Nothing left: the next start has nothing to do and says nothing.
  SvuotaLog();
  EXPECT_EQ(RiproduciGiornale(sessione, desktop), EsitoGiornale::Nessuno);
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(desktop.Messaggi.size(), 1u);
}

TEST_F(RiproduzioneGiornaleTest, EntriesThatCannotBePutBackStayForTheNextStart) {
  Scrivi(File("a.dll"), "nuovo a");
  Scrivi(File("a.dll.old"), "installato a");
  Scrivi(File("b.dll"), "nuovo b");
  Scrivi(File("c.dll"), "nuovo c");
  Scrivi(File("c.dll.old"), "installato c");
  // Entry 1's backup is gone, entry 3 was put back before: neither can nor need be done again.
  test::ScriviFile(Percorso, Intestazione + "0|ERC|0|" + File("a.dll.old") + "\r\n1|ERC|0|" +
                                 File("sparito.dll.old") + "\r\n2|C|1|" + File("b.dll.old") +
                                 "\r\n3|ERCP|1|" + File("c.dll.old") + "\r\n");
  {
    test::FileBloccato bloccato(File("b.dll"));
    EXPECT_EQ(RiproduciGiornale(sessione, desktop), EsitoGiornale::VociRimaste);
  }
  EXPECT_EQ(LeggiFile(File("a.dll")), "installato a");
  EXPECT_EQ(LeggiFile(File("b.dll")), "nuovo b");
  EXPECT_EQ(LeggiFile(File("c.dll")), "nuovo c");  // marked as put back: not touched again
  EXPECT_EQ(LeggiFile(Percorso),
            Intestazione + "1|ERC|0|" + File("sparito.dll.old") + "\r\n2|C|1|" + File("b.dll.old") + "\r\n");
  const std::vector<std::string> log = Log();
  EXPECT_EQ(
      log,
      (std::vector<std::string>{
          "Funzione: Ripristino Giornale Descrizione: Trovato il giornale di un aggiornamento "
          "interrotto: " +
              Percorso + " AVVISO",
          "Funzione: Ripristino Giornale Descrizione: Ripristinato il file " + File("a.dll") + " ESITO OK",
          "Funzione: Ripristino Giornale codice errore: 53 Descrizione: File non ripristinato: " +
              File("sparito.dll") + " Impossibile trovare il file FALLITO",
          "Funzione: Ripristino Giornale codice errore: 70 Descrizione: File non ripristinato: " +
              File("b.dll") + " Autorizzazione negata FALLITO",
          "Funzione: Ripristino Giornale codice errore: 1 Descrizione: Giornale conservato con 2 file "
          "non ripristinati: " +
              Percorso + " FALLITO"}));
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Identita[0], IdMessaggio::GiornaleRipristinato);
  EXPECT_EQ(
      desktop.Messaggi[0],
      (test::MessaggioMostrato{"L'ultimo aggiornamento si è interrotto prima di terminare.\r\nNon è stato "
                               "possibile ripristinare tutti i file che aveva sostituito: il log li elenca "
                               "e il giornale c:\\SetupTalvo.journal li conserva per il prossimo avvio.",
                               "SetupTalvo", IconaMessaggio::Critico, PulsantiMessaggio::Ok}));

  // The file is free at the next start: put back; the backup that is gone stays in the journal.
  EXPECT_EQ(RiproduciGiornale(sessione, desktop), EsitoGiornale::VociRimaste);
  EXPECT_FALSE(test::EsisteFile(File("b.dll")));
  EXPECT_EQ(LeggiFile(Percorso), Intestazione + "1|ERC|0|" + File("sparito.dll.old") + "\r\n");
}

TEST_F(RiproduzioneGiornaleTest, AJournalWithNoEntriesIsPlayedBackAndTold) {
  // A run killed in the fixed lists, or right after it started its journal.
  for (const std::string& testo : {Intestazione, std::string("SetupTal")}) {
    test::ScriviFile(Percorso, testo);
    EXPECT_EQ(RiproduciGiornale(sessione, desktop), EsitoGiornale::Ripristinato);
    EXPECT_FALSE(GiornalePresente());
  }
  EXPECT_EQ(desktop.Messaggi.size(), 2u);
}

TEST_F(RiproduzioneGiornaleTest, TheJournalOfACompletedRunIsDeletedWithoutPlayingItBack) {
  Scrivi(File("a.dll"), "nuovo");
  Scrivi(File("a.dll.old"), "installato");
  test::ScriviFile(Percorso, Intestazione + "0|ERC|0|" + File("a.dll.old") + "\r\ncompletato\r\n");
  EXPECT_EQ(RiproduciGiornale(sessione, desktop), EsitoGiornale::Nessuno);
  EXPECT_EQ(LeggiFile(File("a.dll")), "nuovo");
  EXPECT_EQ(LeggiFile(File("a.dll.old")), "installato");
  EXPECT_FALSE(GiornalePresente());
  EXPECT_TRUE(desktop.Messaggi.empty());
  EXPECT_EQ(Log(),
            std::vector<std::string>{"Funzione: Ripristino Giornale Descrizione: Eliminato il giornale di "
                                     "un aggiornamento completato: " +
                                     Percorso + " ESITO OK"});
}

TEST_F(RiproduzioneGiornaleTest, AFileThatIsNotAJournalIsLeftAsItIs) {
  const std::string estraneo = "non un giornale\r\n0|ERC|0|" + File("a.dll.old") + "\r\n";
  Scrivi(File("a.dll"), "nuovo");
  Scrivi(File("a.dll.old"), "installato");
  test::ScriviFile(Percorso, estraneo);
  EXPECT_EQ(RiproduciGiornale(sessione, desktop), EsitoGiornale::VociRimaste);
  EXPECT_EQ(LeggiFile(Percorso), estraneo);
  EXPECT_EQ(LeggiFile(File("a.dll")), "nuovo");
  EXPECT_EQ(Log(),
            std::vector<std::string>{"Funzione: Ripristino Giornale codice errore: 1 Descrizione: Il file " +
                                     Percorso + " non è un giornale di SetupTalvo: lasciato com'è FALLITO"});
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0].Icona, IconaMessaggio::Critico);
  EXPECT_TRUE(GiornalePresente());
}

}  // namespace
}  // namespace talvo
