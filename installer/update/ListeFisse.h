// The seven fixed file lists of a patch: where each list lies, when its lines apply, and the two
// paths each line hands to RinomiaeCopia. The update run and its plan read them through these
// functions alone, so that both see the same lines the same way.
#pragma once

#include <string>
#include <vector>

#include "RinomiaeCopia.h"

namespace talvo {

struct Sessione;

// When a list's lines are worked on, tested under the installation root.
enum class CondizioneLista {
  File,      // the component's program is installed
  Cartella,  // the folder exists
  Sempre,
};

struct ListaFissa {
  const char* Codice;  // the list's folder in the patch, and its name in the list file's name
  CondizioneLista Condizione;
  const char* Percorso;  // what the condition tests, under the installation root
  ModoCopia Modo;
};

// ATT, BAR, CNV, SEC, SQL, EXT and RIN, in the order a run works through them.
const std::vector<ListaFissa>& ListeFisse();

// The list's folder in the patch, with its trailing backslash.
std::string CartellaListaFissa(const Sessione& sessione, const ListaFissa& lista);
// The list file itself.
std::string FileListaFissa(const Sessione& sessione, const ListaFissa& lista);

// Whether the list's lines apply under the installation root (with its trailing backslash).
bool CondizioneVera(const ListaFissa& lista, const std::string& radice);

// The two paths RinomiaeCopia takes for a non-blank line: the source in the patch and the
// destination under the root, or, in rename mode, the installed file and field 0 of the line.
struct PercorsiRigaFissa {
  std::string Primo;
  std::string Secondo;
};
// Fields are used as written; a line without "|" is run-time error 9.
PercorsiRigaFissa PercorsiRiga(const Sessione& sessione, const std::string& radice, const ListaFissa& lista,
                               const std::string& riga);

}  // namespace talvo
