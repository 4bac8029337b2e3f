// The patch of every kind of line, and the snapshot of the folders a run may write.
#include "PatchCompleta.h"

#include <windows.h>

#include <stdexcept>

#include "FileDiProva.h"
#include "core/Testo.h"

namespace talvo::test {

namespace {

void Fotografa(const std::string& cartella, std::map<std::string, std::string>& file) {
  WIN32_FIND_DATAA dati{};
  const HANDLE ricerca = ::FindFirstFileA((cartella + "\\*").c_str(), &dati);
  if (ricerca == INVALID_HANDLE_VALUE) return;
  do {
    const std::string nome = dati.cFileName;
    if (nome == "." || nome == "..") continue;
    const std::string percorso = cartella + "\\" + nome;
    if (dati.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Fotografa(percorso, file);
    } else {
      // A file another program holds without sharing cannot be read, nor changed by anyone.
      try {
        file[Minuscolo(percorso)] = LeggiFile(percorso);
      } catch (const std::runtime_error&) {
        file[Minuscolo(percorso)] = "(trattenuto)";
      }
    }
  } while (::FindNextFileA(ricerca, &dati));
  ::FindClose(ricerca);
}

}  // namespace

void PatchCompleta::SetUp() {
  ConLogDiProva::SetUp();
  Traccia("C:\\OpenTalvo");
  installazione.CreaPatch();
  installazione.CreaListeFisse();
  installazione.CreaTalvo('E', "2013/1");
  installazione.CreaProgrammaArea('E', "talalu");
  installazione.CreaProgrammaArea('E', "talbib");
  InstallazioneDiProva::CreaOpenTalvo("C:\\");
  InstallazioneDiProva::CreaCartella(Altrove());
  InstallazioneDiProva::CreaCartella(Radice() + "SYS\\SQL");

  const auto lista = [&](const std::string& percorso, const std::string& testo,
                         const std::vector<std::string>& file) {
    InstallazioneDiProva::Scrivi(Patch(percorso), testo);
    const std::string cartella = percorso.substr(0, percorso.find('\\') + 1);
    for (const std::string& nome : file)
      InstallazioneDiProva::Scrivi(Patch(cartella + nome), "nuovo " + nome);
  };
  const auto installato = [](const std::string& percorso) {
    InstallazioneDiProva::Scrivi(percorso, "installato " + percorso.substr(percorso.rfind('\\') + 1));
  };

  installato(Radice() + "app\\att\\PRG\\BIN\\a_att.exe");
  lista("ATT\\ListaATT.txt", "a_att.exe|app\\att\\PRG\\BIN\\\r\nassente.dll|app\\att\\PRG\\BIN\\\r\n",
        {"a_att.exe", "assente.dll"});
  lista("BAR\\ListaBAR.txt", "a_bar.exe|app\\bar\\PRG\\BIN\\\r\n", {"a_bar.exe"});
  lista("SQL\\ListaSQL.txt", "\r\nnuovo.sql|SYS\\SQL\\\r\n", {"nuovo.sql"});
  lista("EXT\\ListaEXT.txt", "e.dll|SYS\\EXT\\\r\n", {"e.dll"});
  installato(Radice() + "SYS\\vecchio.dmg");
  lista("RIN\\ListaRIN.txt", "vecchio.dmg|SYS\\\r\nassente.ini|SYS\\\r\n", {});

  lista("ALUNNI\\alunni.txt",
        "anagrafe.exe|APP\\ALU\\PRG\\BIN\\\r\n  \r\nnuovo.dll|APP\\ALU\\PRG\\BIN\\\r\n"
        "guida.txt|APP\\ALU\\MANCA\\\r\nassoluto.txt| " +
            Altrove() + " \r\ncong.mdb|DATI\\\r\n",
        {"anagrafe.exe", "nuovo.dll", "guida.txt", "assoluto.txt", "cong.mdb"});
  installato(Bin("alu") + "anagrafe.exe");
  installato(Altrove() + "assoluto.txt");
  lista("BIBLIO\\biblio.txt", "prestiti.exe|APP\\BIB\\PRG\\BIN\\\r\n", {"prestiti.exe"});
  installato(Bin("bib") + "prestiti.exe");
  lista("OTV\\otv.txt", "otv.exe|BIN\\\r\n", {"otv.exe"});
  installato("C:\\OpenTalvo\\BIN\\otv.exe");
  lista("ISCR\\iscr.txt", "iscritti.exe|APP\\ISC\\PRG\\BIN\\\r\n", {"iscritti.exe"});

  sessione.PercorsoPatch = installazione.CartellaPatch() + "\\";
  sessione.FileSysIni = Radice() + "SYS\\System.ini";
  sessione.NuovaVersione = "2013/2";
  sessione.InstallaOpenTalvo = "SI";
  sessione.CartellaOpenTalvo = "C:\\OpenTalvo\\";
  sessione.DimensionaTabellaAree(4);
  sessione.Aree[0] = {0, "alunni", sessione.PercorsoPatch + "ALUNNI\\", "alunni.txt", "talalu"};
  sessione.Aree[1] = {1, "biblioteca", sessione.PercorsoPatch + "BIBLIO\\", "biblio.txt", "talbib"};
  sessione.Aree[2] = {2, "opentalvo", sessione.PercorsoPatch + "OTV\\", "otv.txt", "OpenTalvo"};
  sessione.Aree[3] = {3, "iscrizioni", sessione.PercorsoPatch + "ISCR\\", "iscr.txt", "taliscr"};
}

std::map<std::string, std::string> PatchCompleta::Fotografia(bool conPatch) const {
  std::map<std::string, std::string> file;
  for (const std::string& cartella : {installazione.Radice('E'), installazione.Radice('D'),
                                      std::string("C:\\OpenTalvo\\"), std::string("C:\\pre1996\\")}) {
    Fotografa(SenzaBarraFinale(cartella), file);
  }
  if (conPatch) Fotografa(installazione.CartellaPatch(), file);
  return file;
}

}  // namespace talvo::test
