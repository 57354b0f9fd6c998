#include "fall/Meldung.h"

#include "calc/Ergebnis.h"
#include "calc/Formate.h"
#include "calc/Zeichen.h"

namespace lohnwippe {

namespace {

template <typename T>
void Uebernehmen(JeJob<std::optional<T>>& ziel, JeJob<std::optional<T>>& quelle) {
    for (std::size_t j = 0; j < ziel.size(); ++j) {
        if (quelle[j]) {
            ziel[j] = std::move(quelle[j]);
        }
    }
}

template <typename T>
void Uebernehmen(std::optional<T>& ziel, std::optional<T>& quelle) {
    if (quelle) {
        ziel = std::move(quelle);
    }
}

}  // namespace

Meldung Dateimeldung(const DateiFehler& fehler, std::string_view folge, const char* titel) {
    return {titel, fehler.Meldung() + "\n\n" + std::string(folge), Symbol::Fehler};
}

std::optional<Meldung> EntgeltZuGross(const Entgeltuebernahme& uebernahme, std::string_view getippt,
                                      std::string_view folge) {
    std::string betrag;
    if (uebernahme.ZuGross) {
        // Beyond the money type there is no amount to format: the number as
        // typed, cut where a message box would no longer hold it.
        betrag = Getrimmt(getippt);
        if (betrag.size() > 30) {
            betrag.resize(29);
            betrag += "…";
        }
    } else if (uebernahme.Betrag && *uebernahme.Betrag > HoechstesEntgelt) {
        betrag = uebernahme.Text;
    } else {
        return std::nullopt;
    }
    std::string text = "Das Entgelt " + betrag +
                       " ist zu groß, um es zu berechnen. Das höchste Entgelt, das berechnet "
                       "werden kann, ist " +
                       FormatEuro(HoechstesEntgelt) + ".";
    if (!folge.empty()) {
        text += " " + std::string(folge);
    }
    return Meldung{Programmtitel, std::move(text), Symbol::Ausrufezeichen};
}

Aenderung& Aenderung::operator+=(Aenderung&& andere) {
    Fall = Fall || andere.Fall;
    Auswahl = Auswahl || andere.Auswahl;
    Ergebnis = Ergebnis || andere.Ergebnis;
    Personen = Personen || andere.Personen;
    SicherungFaellig = SicherungFaellig || andere.SicherungFaellig;
    StammdatenSchliessen = StammdatenSchliessen || andere.StammdatenSchliessen;
    Uebernehmen(Entgelttext, andere.Entgelttext);
    Uebernehmen(Arbeitgebertext, andere.Arbeitgebertext);
    Uebernehmen(Regler, andere.Regler);
    Uebernehmen(U1Texte, andere.U1Texte);
    Uebernehmen(U2Texte, andere.U2Texte);
    Uebernehmen(Korrigieren, andere.Korrigieren);
    Uebernehmen(Frage, andere.Frage);
    Uebernehmen(Wahl, andere.Wahl);
    Uebernehmen(Hinweis, andere.Hinweis);
    for (Meldung& m : andere.Meldungen) {
        Meldungen.push_back(std::move(m));
    }
    return *this;
}

}  // namespace lohnwippe
