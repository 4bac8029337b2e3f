// Playing back, at the next start, the journal that an update run killed half-way left behind.
#pragma once

namespace talvo {

class Desktop;
struct Sessione;

enum class EsitoGiornale {
  Nessuno,       // no journal: the last run ended by itself
  Ripristinato,  // a journal was played back, every entry is put back and the journal is gone
  VociRimaste,   // some entries could not be put back: the journal keeps them (or could not be read)
};

// Plays back the journal, if one is there: every entry not yet put back is put back as the
// restore does, each with its log line ("Ripristino Giornale"), and the person is told. The
// journal is then deleted, or keeps only the entries left. A journal whose run completed is
// deleted without playing it back. Needs the log started.
EsitoGiornale RiproduciGiornale(const Sessione& sessione, Desktop& desktop);

// A journal is there, to be played back before any run (a dry run reports it and leaves it).
bool GiornalePresente();

}  // namespace talvo
