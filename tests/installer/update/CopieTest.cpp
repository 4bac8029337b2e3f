// The file steps of the update run over real files: the three modes of the fixed lists, the area
// copy with its destinations and its record, and the restore that puts back exactly what the run
// changed.
#include <gtest/gtest.h>
#include <windows.h>

#include "ConLogDiProva.h"
#include "FakeDesktop.h"
#include "FileBloccato.h"
#include "FileDiProva.h"
#include "InstallazioneDiProva.h"
#include "core/Sessione.h"
#include "update/CopiaFile.h"
#include "update/ElaboraListe.h"
#include "update/RinomiaeCopia.h"
#include "update/RipristinoFile.h"

namespace talvo {
namespace {

using test::InstallazioneDiProva;
using test::LeggiFile;

bool Esiste(const std::string& percorso) {
  return ::GetFileAttributesA(percorso.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The file's text, or "-" when there is no file.
std::string Contenuto(const std::string& percorso) { return Esiste(percorso) ? LeggiFile(percorso) : "-"; }

class CopieTest : public test::ConLogDiProva {
 protected:
  void SetUp() override {
    ConLogDiProva::SetUp();
    sessione.PercorsoPatch = installazione.CartellaPatch() + "\\";
  }
  std::string Radice() const { return installazione.Radice('E') + "TALVO\\"; }
  static void Scrivi(const std::string& percorso, const std::string& testo) {
    InstallazioneDiProva::Scrivi(percorso, testo);
  }

  InstallazioneDiProva installazione;
  test::FakeDesktop desktop;
};

TEST(NomeRinominato, NameGetsOldInFrontAndDmgBecomesOld) {
  EXPECT_EQ(NomeRinominato("E:\\T\\x.dmg"), "E:\\T\\oldx.old");
  EXPECT_EQ(NomeRinominato("E:\\T\\y.dll"), "E:\\T\\oldy.dll");
  EXPECT_EQ(NomeRinominato("E:\\T\\y.ini"), "E:\\T\\oldy.ini");
  EXPECT_EQ(NomeRinominato("a.dmg"), "olda.old");
  // Every occurrence of the name within the path, case-sensitively.
  EXPECT_EQ(NomeRinominato("E:\\ab\\ab"), "E:\\oldab\\oldab");
  EXPECT_EQ(NomeRinominato("E:\\AB\\ab"), "E:\\AB\\oldab");
}

TEST_F(CopieTest, EachModeCopiesOnlyWhatItShould) {
  struct Caso {
    const char* nome;
    ModoCopia modo;
    bool cartella;      // the destination folder exists
    bool destinazione;  // an installed file is there
    bool nascosta;      // ... marked hidden
    bool backup;        // an old backup is there
    bool copiata;       // the new file ends at the destination
    bool salvata;       // the installed file ends as the backup
  };
  const Caso casi[] = {
      {"sostituisce", ModoCopia::Sostituisci, true, true, false, false, true, true},
      {"sostituisce, backup vecchio", ModoCopia::Sostituisci, true, true, false, true, true, true},
      {"sostituisce solo installati", ModoCopia::Sostituisci, true, false, false, false, false, false},
      {"sostituisce, nascosta", ModoCopia::Sostituisci, true, true, true, false, false, false},
      {"nuovi, sostituisce", ModoCopia::Nuovi, true, true, false, true, true, true},
      {"nuovi, aggiunge", ModoCopia::Nuovi, true, false, false, false, true, false},
      {"nuovi, cartella assente", ModoCopia::Nuovi, false, false, false, false, false, false},
  };
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.nome);
    test::CartellaTemporanea cartella;
    const std::string sorgente = cartella / "nuovo.dll";
    const std::string destinazione = cartella / "inst\\app.dll";
    Scrivi(sorgente, "nuovo");
    if (caso.cartella) InstallazioneDiProva::CreaCartella(cartella / "inst");
    if (caso.destinazione) Scrivi(destinazione, "installato");
    if (caso.nascosta) ::SetFileAttributesA(destinazione.c_str(), FILE_ATTRIBUTE_HIDDEN);
    if (caso.backup) Scrivi(destinazione + ".old", "vecchio");

    EXPECT_TRUE(RinomiaeCopia(sessione, desktop, sorgente, destinazione, caso.modo));
    EXPECT_TRUE(desktop.Messaggi.empty());
    EXPECT_EQ(Contenuto(destinazione), caso.copiata ? "nuovo" : caso.destinazione ? "installato" : "-");
    EXPECT_EQ(Contenuto(destinazione + ".old"), caso.salvata ? "installato" : caso.backup ? "vecchio" : "-");
  }
  EXPECT_TRUE(Log().empty());
}

TEST_F(CopieTest, RenameModeMovesTheInstalledFileOutOfTheWay) {
  test::CartellaTemporanea cartella;
  Scrivi(cartella / "x.dmg", "x");
  Scrivi(cartella / "oldx.old", "prima");
  EXPECT_TRUE(RinomiaeCopia(sessione, desktop, cartella / "x.dmg", "x.dmg", ModoCopia::Rinomina));
  EXPECT_EQ(LeggiFile(cartella / "oldx.old"), "x");
  EXPECT_FALSE(Esiste(cartella / "x.dmg"));
  // Nothing installed: nothing to do.
  EXPECT_TRUE(RinomiaeCopia(sessione, desktop, cartella / "y.ini", "y.ini", ModoCopia::Rinomina));
  EXPECT_FALSE(Esiste(cartella / "oldy.ini"));
  EXPECT_TRUE(desktop.Messaggi.empty());
}

TEST_F(CopieTest, AFailureIsShownAndLoggedOnce) {
  test::CartellaTemporanea cartella;
  Scrivi(cartella / "app.dll", "installato");
  EXPECT_FALSE(
      RinomiaeCopia(sessione, desktop, cartella / "manca.dll", cartella / "app.dll", ModoCopia::Sostituisci));
  ASSERT_EQ(desktop.Messaggi.size(), 1u);
  EXPECT_EQ(desktop.Messaggi[0],
            (test::MessaggioMostrato{"Si è verificato un errore durante l'elaborazione del file: \r\nDa -> " +
                                         cartella / "manca.dll" + "\r\nA  -> " + cartella / "app.dll" +
                                         "\r\n53\r\nImpossibile trovare il file",
                                     "SetupTalvo", IconaMessaggio::Nessuna, PulsantiMessaggio::Ok}));
  EXPECT_EQ(
      Log(),
      std::vector<std::string>{
          "Funzione: RinomiaeCopia codice errore: 53 Descrizione: Impossibile trovare il file FALLITO"});
}

// The seven fixed lists, all empty unless a test writes one.
class ListeTest : public CopieTest {
 protected:
  void SetUp() override {
    CopieTest::SetUp();
    for (const char* codice : {"ATT", "BAR", "CNV", "SEC", "SQL", "EXT", "RIN"}) {
      Lista(codice, "");
    }
    installazione.CreaTalvo('E');
  }
  void Lista(const std::string& codice, const std::string& testo) {
    Scrivi(installazione.Patch(codice + "\\Lista" + codice + ".txt"), testo);
  }
};

TEST_F(ListeTest, ConditionsAndModesOfTheLists) {
  Lista("ATT", "att.dll|APP\\ATT\\\r\n   \r\n");
  Lista("SQL", "nuova.sql|SYS\\SQL\\\r\n");
  Lista("EXT", "ext.dll|SYS\\EXT\\\r\n");
  Lista("RIN", "x.dmg|SYS\\\r\n");
  for (const char* nome : {"ATT\\att.dll", "SQL\\nuova.sql", "EXT\\ext.dll"})
    Scrivi(installazione.Patch(nome), "n");
  Scrivi(Radice() + "APP\\ATT\\att.dll", "i");  // installed, but a_att.exe is not
  Scrivi(Radice() + "SYS\\x.dmg", "x");
  InstallazioneDiProva::CreaCartella(Radice() + "SYS\\SQL");

  ASSERT_TRUE(ElaboraListe(sessione, desktop, Radice()));
  EXPECT_EQ(LeggiFile(Radice() + "APP\\ATT\\att.dll"), "i");  // condition false: untouched
  EXPECT_EQ(LeggiFile(Radice() + "SYS\\SQL\\nuova.sql"), "n");
  EXPECT_FALSE(Esiste(Radice() + "SYS\\EXT\\ext.dll"));  // no EXT folder
  EXPECT_EQ(LeggiFile(Radice() + "SYS\\oldx.old"), "x");
  EXPECT_TRUE(Log().empty());

  // With a_att.exe installed the line replaces the file and keeps a backup.
  Scrivi(Radice() + "app\\att\\PRG\\BIN\\a_att.exe", "MZ");
  ASSERT_TRUE(ElaboraListe(sessione, desktop, Radice()));
  EXPECT_EQ(LeggiFile(Radice() + "APP\\ATT\\att.dll"), "n");
  EXPECT_EQ(LeggiFile(Radice() + "APP\\ATT\\att.dll.old"), "i");
}

TEST_F(ListeTest, AMissingListOrALineWithoutSeparatorFailsSilently) {
  Lista("BAR", "senza separatore\r\n");  // fails whatever the list's condition
  EXPECT_FALSE(ElaboraListe(sessione, desktop, Radice()));
  Lista("BAR", "");
  test::Elimina(installazione.Patch("EXT\\ListaEXT.txt"));
  EXPECT_FALSE(ElaboraListe(sessione, desktop, Radice()));
  EXPECT_TRUE(desktop.Messaggi.empty());
  EXPECT_TRUE(Log().empty());
}

// One area, alunni, installed under E:\TALVO\.
class CopiaFileTest : public CopieTest {
 protected:
  void SetUp() override {
    CopieTest::SetUp();
    installazione.CreaTalvo('E');
    installazione.CreaProgrammaArea('E', "talalu");
    sessione.DimensionaTabellaAree(1);
    sessione.Aree[0] = {0, "alunni", sessione.PercorsoPatch + "ALUNNI\\", "alunni.txt", "talalu"};
    for (const char* nome : {"a.dll", "b.dll", "cong.mdb", "S1.SYB"})
      Scrivi(Patch(nome), std::string("nuovo ") + nome);
  }
  std::string Patch(const std::string& nome) const { return installazione.Patch("ALUNNI\\" + nome); }
  std::string Bin() const { return Radice() + "APP\\alu\\PRG\\BIN\\"; }
  std::vector<std::string> Backup() const {
    std::vector<std::string> nomi;
    for (const FileSovrascritto& voce : sessione.FileSovrascritti) nomi.push_back(voce.Backup);
    return nomi;
  }

  CopiaAree copia{sessione, Radice()};
};

TEST_F(CopiaFileTest, DestinationsAbsoluteRelativeAndTheProgramFolder) {
  test::CartellaTemporanea altrove;
  Scrivi(Bin() + "a.dll", "installato");
  InstallazioneDiProva::CreaCartella(Radice() + "SYS");

  EXPECT_TRUE(copia.CopiaFile(" a.dll |APP\\alu\\PRG\\BIN\\ |commento", 0));  // relative, fields trimmed
  EXPECT_TRUE(copia.CopiaFile("b.dll| " + altrove.Percorso(), 0));            // absolute
  EXPECT_TRUE(copia.CopiaFile("b.dll|SYS\\", 0));
  EXPECT_TRUE(copia.CopiaFile("b.dll|MANCA\\", 0));  // missing: the program folder

  EXPECT_EQ(LeggiFile(Bin() + "a.dll"), "nuovo a.dll");
  EXPECT_EQ(LeggiFile(Bin() + "a.dll.old"), "installato");
  EXPECT_EQ(LeggiFile(altrove / "b.dll"), "nuovo b.dll");
  EXPECT_EQ(LeggiFile(Radice() + "SYS\\b.dll"), "nuovo b.dll");
  EXPECT_EQ(LeggiFile(Bin() + "b.dll"), "nuovo b.dll");
  EXPECT_EQ(Backup(), (std::vector<std::string>{Bin() + "a.dll.old", altrove / "b.dll.old",
                                                Radice() + "SYS\\b.dll.old", Bin() + "b.dll.old"}));
  EXPECT_TRUE(Log().empty());
}

TEST_F(CopiaFileTest, FailuresAndLinesNeedingNoCopy) {
  // No separator: the destination is not known yet.
  EXPECT_FALSE(copia.CopiaFile("a.dll", 0));
  // An absolute folder that does not exist fails at the copy.
  EXPECT_FALSE(copia.CopiaFile("a.dll|Q:\\manca\\", 0));
  // A folder missing for an area whose program folder holds nothing: logged, done, nothing copied.
  test::Elimina(Bin() + "talalu.exe");
  EXPECT_TRUE(copia.CopiaFile("a.dll|MANCA\\", 0));
  EXPECT_EQ(Log(),
            (std::vector<std::string>{
                "Funzione: CopiaFile  codice errore: 9 Descrizione: Errore nel file che si stava "
                "gestendo:  Indice non compreso nell'intervallo AREA: alunni ->Indice non compreso "
                "nell'intervallo FALLITO",
                "Funzione: CopiaFile  codice errore: 76 Descrizione: Errore nel file che si stava "
                "gestendo: Q:\\manca\\a.dll Impossibile trovare il percorso AREA: alunni ->Impossibile "
                "trovare il percorso FALLITO",
                "Funzione: Copia file codice errore: 1 Descrizione: Nel registro di windows NON è "
                "presente nessuna informazione relativa all'area: alunni Per la quale sono previsti "
                "aggiornamenti  FALLITO"}));
}

TEST_F(CopiaFileTest, TheArchiveDatabaseGoesToPre1996AndIsNotRecorded) {
  EXPECT_TRUE(copia.CopiaFile("Cong.MDB|DB\\", 0));
  EXPECT_EQ(LeggiFile("c:\\pre1996\\cong.mdb"), "nuovo cong.mdb");
  EXPECT_TRUE(copia.CopiaFile("cong.mdb|DB\\", 0));
  EXPECT_EQ(LeggiFile("c:\\pre1996\\cong.mdb.old"), "nuovo cong.mdb");
  EXPECT_TRUE(sessione.FileSovrascritti.empty());
  EXPECT_EQ(Log(),
            std::vector<std::string>{"Funzione: GestionePre1996 Descrizione: Non era presente la cartella "
                                     "C:\\pre1996, è stata creata ESITO OK"});
  // A copy that cannot be made fails the line, and so the area.
  test::Elimina(Patch("cong.mdb"));
  EXPECT_FALSE(copia.CopiaFile("cong.mdb|DB\\", 0));
  EXPECT_EQ(Log().back(),
            "Funzione: GestionePre1996 codice errore: 53 Descrizione: Impossibile trovare il file FALLITO");
}

TEST_F(CopiaFileTest, ASecondCopyKeepsTheFirstBackup) {
  Scrivi(Bin() + "a.dll", "installato");
  ASSERT_TRUE(copia.CopiaFile("a.dll|APP\\alu\\PRG\\BIN\\", 0));
  Scrivi(Patch("a.dll"), "ancora");
  ASSERT_TRUE(copia.CopiaFile("a.dll|APP\\ALU\\PRG\\BIN\\", 0));
  EXPECT_EQ(LeggiFile(Bin() + "a.dll"), "ancora");
  EXPECT_EQ(LeggiFile(Bin() + "a.dll.old"), "installato");
  EXPECT_EQ(sessione.FileSovrascritti.size(), 1u);

  RipristinoFile(sessione, desktop);
  EXPECT_EQ(LeggiFile(Bin() + "a.dll"), "installato");
}

TEST_F(CopiaFileTest, TheRestorePutsBackExactlyWhatTheRunChanged) {
  // replaced: put back; new: deleted; hidden: never touched; locked: its rename failed, it stays;
  // read-only old backup: could not be deleted, never put in place of the file.
  Scrivi(Bin() + "sostituito.dll", "installato");
  Scrivi(Bin() + "nascosto.dll", "installato");
  ::SetFileAttributesA((Bin() + "nascosto.dll").c_str(), FILE_ATTRIBUTE_HIDDEN);
  Scrivi(Bin() + "bloccato.dll", "installato");
  Scrivi(Bin() + "bloccato.dll.old", "vecchio");
  Scrivi(Bin() + "protetto.dll", "installato");
  Scrivi(Bin() + "protetto.dll.old", "vecchio");
  ::SetFileAttributesA((Bin() + "protetto.dll.old").c_str(), FILE_ATTRIBUTE_READONLY);
  for (const char* nome : {"sostituito.dll", "nuovo.dll", "nascosto.dll", "bloccato.dll", "protetto.dll"}) {
    Scrivi(Patch(nome), "nuovo");
  }

  EXPECT_TRUE(copia.CopiaFile("sostituito.dll|APP\\alu\\PRG\\BIN\\", 0));
  EXPECT_TRUE(copia.CopiaFile("nuovo.dll|APP\\alu\\PRG\\BIN\\", 0));
  EXPECT_FALSE(copia.CopiaFile("nascosto.dll|APP\\alu\\PRG\\BIN\\", 0));
  EXPECT_FALSE(copia.CopiaFile("protetto.dll|APP\\alu\\PRG\\BIN\\", 0));
  {
    test::FileBloccato bloccato(Bin() + "bloccato.dll");
    EXPECT_FALSE(copia.CopiaFile("bloccato.dll|APP\\alu\\PRG\\BIN\\", 0));
  }
  ASSERT_EQ(sessione.FileSovrascritti.size(), 5u);

  RipristinoFile(sessione, desktop);
  EXPECT_EQ(LeggiFile(Bin() + "sostituito.dll"), "installato");
  EXPECT_FALSE(Esiste(Bin() + "sostituito.dll.old"));
  EXPECT_FALSE(Esiste(Bin() + "nuovo.dll"));
  EXPECT_EQ(LeggiFile(Bin() + "nascosto.dll"), "installato");
  EXPECT_EQ(LeggiFile(Bin() + "bloccato.dll"), "installato");
  EXPECT_EQ(LeggiFile(Bin() + "protetto.dll"), "installato");
  EXPECT_EQ(LeggiFile(Bin() + "protetto.dll.old"), "vecchio");
  ASSERT_FALSE(desktop.Messaggi.empty());
  EXPECT_EQ(desktop.Messaggi.back(),
            (test::MessaggioMostrato{"Ripristino in corso dei file sovrascritti", "SetupTalvo",
                                     IconaMessaggio::Nessuna, PulsantiMessaggio::Ok}));
  ::SetFileAttributesA((Bin() + "protetto.dll.old").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(CopiaFileTest, DatabaseScriptsAreDeletedNotPutBackAndOneFailureDoesNotStopTheRestore) {
  Scrivi(Bin() + "S1.SYB", "installato");
  Scrivi(Bin() + "a.dll", "installato");
  ASSERT_TRUE(copia.CopiaFile("S1.SYB|APP\\alu\\PRG\\BIN\\", 0));
  ASSERT_TRUE(copia.CopiaFile("a.dll|APP\\alu\\PRG\\BIN\\", 0));
  // Something else took the backup away: that entry fails, the next one is still put back.
  sessione.FileSovrascritti.insert(sessione.FileSovrascritti.begin(),
                                   FileSovrascritto{Bin() + "sparito.dll.old", 0, true, true, true});
  RipristinoFile(sessione, desktop);
  EXPECT_FALSE(Esiste(Bin() + "S1.SYB"));
  EXPECT_EQ(LeggiFile(Bin() + "S1.SYB.old"), "installato");
  EXPECT_EQ(LeggiFile(Bin() + "a.dll"), "installato");
  EXPECT_EQ(
      Log(),
      std::vector<std::string>{
          "Funzione: Ripristino File codice errore: 53 Descrizione: Impossibile trovare il file FALLITO"});
}

}  // namespace
}  // namespace talvo
