#include "fall/Ersetzung.h"

#include <algorithm>
#include <utility>

namespace lohnwippe {

void Ersetzung::Fragen(const std::vector<std::string>& fremde, Aenderung& a) {
    schliessend_ = schliessend_ && !fremde.empty();
    if (!fremde.empty()) {
        // Whatever becomes of the question, the user's version is on disk
        // first; a failure leaves the question to say what goes on.
        gefragt_ = fremde.front();
        (void)daten_.Beiseitelegen(gefragt_);
        a.Wahl = Aenderung::Dateiwahl{
            "Die Datei " + fremde.front() +
                " wurde während der Arbeit von einem anderen Programm ersetzt oder verändert, etwa "
                "von einem Sicherungs- oder Synchronisierungsprogramm. Lohnwippe hat seitdem "
                "nichts "
                "daraus gelesen und nichts hineingeschrieben; was Sie eingeben, ist in Ihrer "
                "Fassung.\n\nWelche Fassung soll gelten? Die andere bleibt als Kopie daneben "
                "erhalten.",
            "Neue Datei übernehmen", "Meine Fassung behalten"};
    }
    if (std::exchange(gescheitert_, false)) {
        a.Wahl.reset();
    }
}

Ersetzung::Ausgang Ersetzung::Entscheiden(bool neueUebernehmen, Aenderung& a) {
    const auto fremde = daten_.FremdeDateien();
    const auto gefragt =
        gefragt_.empty() ? fremde.begin() : std::find(fremde.begin(), fremde.end(), gefragt_);
    if (gefragt == fremde.end()) {
        return Ausgang::Keine;
    }
    const std::string& datei = *gefragt;
    auto entscheidung = daten_.Entscheiden(datei, neueUebernehmen);
    if (!entscheidung.HatWert()) {
        gescheitert_ = true;
        a.Meldungen.push_back(Dateimeldung(entscheidung.Fehler(),
                                           "Es gilt vorerst weiter Ihre Fassung; Lohnwippe fragt "
                                           "beim nächsten Speichern erneut."));
        return Ausgang::Gescheitert;
    }
    gefragt_.clear();
    const Ablage::Entscheidung& e = entscheidung.Wert();
    std::string text;
    if (e.Uebernommen) {
        text = "Lohnwippe arbeitet jetzt mit der neuen Datei " + datei +
               ". Ihre bisherige Fassung liegt daneben als „" + e.Beiseite + "“.";
    } else {
        if (e.Unvollstaendig) {
            text = "Die neue Datei " + datei + " ist keine vollständige Datendatei (nur " +
                   std::to_string(*e.Unvollstaendig) + " Bytes) und kann nicht übernommen werden. ";
        }
        text += e.Beiseite.empty() ? "Lohnwippe hat " + datei + " mit Ihrer Fassung neu angelegt."
                                   : "Lohnwippe arbeitet mit Ihrer Fassung weiter; die andere "
                                     "Datei liegt daneben als „" +
                                         e.Beiseite + "“.";
    }
    a.Meldungen.push_back({Programmtitel, text, Symbol::Ausrufezeichen});
    return e.Uebernommen ? Ausgang::Uebernommen : Ausgang::Behalten;
}

std::optional<std::string> Ersetzung::VorDemEnde() {
    const auto fremde = daten_.FremdeDateien();
    if (fremde.empty()) {
        return std::nullopt;
    }
    return "Ihre Fassung der Datei " + fremde.front() +
           " konnte nicht gespeichert werden und geht beim Beenden verloren. Trotzdem beenden?";
}

}  // namespace lohnwippe
