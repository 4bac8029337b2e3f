// Layout of the crash tests' patch and installation. Contents hold CR LF, NUL and bytes above 127,
// so that a byte-for-byte comparison means something.
#include "AggiornamentoDiProva.h"

#include "InstallazioneDiProva.h"

namespace talvo::test {

namespace {

struct Area {
  const char* nome;
  const char* cartellaPatch;
  const char* suffisso;
  const char* lista;
};

const Area Aree[] = {
    {"alunni", "ALUNNI", "talalu",
     "a.dll|APP\\ALU\\PRG\\BIN\\\r\nb.dll|APP\\ALU\\PRG\\BIN\\\r\na.dll|APP\\ALU\\PRG\\BIN\\\r\n"},
    {"biblioteca", "BIBLIO", "talbib",
     "c.exe|APP\\BIB\\PRG\\BIN\\\r\nd.dat|APP\\BIB\\PRG\\BIN\\DATI\\\r\ne.ini|APP\\BIB\\PRG\\BIN\\\r\n"},
};

std::string Binario(const std::string& testo) { return testo + std::string("\r\n\0\xe8\xff", 5) + testo; }

}  // namespace

std::string RadiceDiProva(const std::string& cartella) { return cartella + "E\\TALVO\\"; }

std::string ContenutoPatch(const std::string&, const std::string& nome) { return Binario("nuovo " + nome); }

void CreaAggiornamentoDiProva(const std::string& cartella) {
  const std::string patch = cartella + "patch\\";
  for (const std::string codice : {"ATT", "BAR", "CNV", "SEC", "SQL", "EXT", "RIN"}) {
    InstallazioneDiProva::Scrivi(patch + codice + "\\Lista" + codice + ".txt", "");
  }
  for (const Area& area : Aree) {
    InstallazioneDiProva::Scrivi(patch + area.cartellaPatch + "\\lista.txt", area.lista);
  }
  for (const char* nome : {"a.dll", "b.dll"}) {
    InstallazioneDiProva::Scrivi(patch + "ALUNNI\\" + nome, ContenutoPatch(cartella, nome));
  }
  for (const char* nome : {"c.exe", "d.dat", "e.ini"}) {
    InstallazioneDiProva::Scrivi(patch + "BIBLIO\\" + nome, ContenutoPatch(cartella, nome));
  }

  const std::string radice = RadiceDiProva(cartella);
  InstallazioneDiProva::Scrivi(radice + "SYS\\System.ini", "[Application]\r\nAppVer=2013/1\r\n");
  InstallazioneDiProva::Scrivi(radice + "APP\\alu\\PRG\\BIN\\talalu.exe", Binario("MZ alunni"));
  InstallazioneDiProva::Scrivi(radice + "APP\\alu\\PRG\\BIN\\a.dll", Binario("installato a.dll"));
  InstallazioneDiProva::Scrivi(radice + "APP\\alu\\PRG\\BIN\\a.dll.old", Binario("vecchio a.dll"));
  InstallazioneDiProva::Scrivi(radice + "APP\\bib\\PRG\\BIN\\talbib.exe", Binario("MZ biblioteca"));
  InstallazioneDiProva::Scrivi(radice + "APP\\bib\\PRG\\BIN\\c.exe", Binario("installato c.exe"));
  InstallazioneDiProva::Scrivi(radice + "APP\\bib\\PRG\\BIN\\e.ini", Binario("installato e.ini"));
  InstallazioneDiProva::CreaCartella(radice + "APP\\bib\\PRG\\BIN\\DATI");
}

void PreparaSessione(Sessione& sessione, const std::string& cartella) {
  sessione.NomeFileLog = "TalvoProva.log";
  sessione.PercorsoPatch = cartella + "patch\\";
  sessione.FileSysIni = RadiceDiProva(cartella) + "SYS\\System.ini";
  sessione.NuovaVersione = "2099/1";  // no release recorded: only the files count here
  sessione.InstallaOpenTalvo = "NO";
  sessione.DimensionaTabellaAree(2);
  for (std::size_t i = 0; i < 2; ++i) {
    const Area& area = Aree[i];
    sessione.Aree[i] = {static_cast<std::uint8_t>(i), area.nome,
                        sessione.PercorsoPatch + area.cartellaPatch + "\\", "lista.txt", area.suffisso};
  }
}

std::vector<StatoArea> StatiDiProva() { return {StatoArea::Installata, StatoArea::Installata}; }

}  // namespace talvo::test
