#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fall/Meldung.h"
#include "store/Datenbestand.h"

namespace lohnwippe {

// The decisions about data files another program replaced or changed while
// the program ran: the question which version goes on, the user's version
// put beside first, the answer carried out and said. Closing waits for the
// question; it ends with the answer, or when no file is left to ask about.
class Ersetzung {
  public:
    explicit Ersetzung(Datenbestand& daten) : daten_(daten) {}

    // The question about the first of `fremde` (the files another program
    // changed, looked up before the files the last write found replaced
    // were said), after every action but a decision that failed.
    void Fragen(const std::vector<std::string>& fremde, Aenderung& a);

    enum class Ausgang { Keine, Gescheitert, Behalten, Uebernommen };
    // Carries out the user's answer for the file the question named and
    // says what became of both versions.
    // After `Uebernommen` the case and the names are to be read from the
    // new file; after `Gescheitert` the user's version goes on, and asking
    // again at once would never let the user go.
    Ausgang Entscheiden(bool neueUebernehmen, Aenderung& a);

    // The question before the program ends while the user's version of a
    // data file is only in memory; none when both files are on disk.
    std::optional<std::string> VorDemEnde();

    void SchliessenBeginnen() { schliessend_ = true; }
    // Closing waits for the answer: the settings record of a file taken
    // over then gets the case and the window's place like any other.
    bool Schliessend() const { return schliessend_; }

  private:
    Datenbestand& daten_;
    // The file the open question names: another file replaced while it is
    // open is asked about next, not answered with it.
    std::string gefragt_;
    bool schliessend_ = false;
    bool gescheitert_ = false;
};

}  // namespace lohnwippe
