#include "fall/Schrittgang.h"

#include <algorithm>
#include <string>

#include "store/Satznummern.h"

namespace lohnwippe {

std::optional<Schritt> SchrittGehen(bool rueckwaerts, Datenbestand& daten, Verlauf& verlauf,
                                    Stammdatenformular& formular, Aenderung& a) {
    const Schritt* naechster = rueckwaerts ? verlauf.Zurueck() : verlauf.Vor();
    if (naechster == nullptr) {
        return std::nullopt;
    }
    const Schritt schritt = *naechster;
    const std::string was = "„" + schritt.Text + "“";
    // `nie`: the file in use no longer holds what the step left.
    const auto nicht = [&](std::string grund, bool nie = true) {
        if (nie && schritt.Frueher) {
            verlauf.Streichen(rueckwaerts);
        }
        a.Meldungen.push_back(
            {Programmtitel,
             was + (rueckwaerts ? " wurde nicht rückgängig gemacht" : " wurde nicht wiederholt") +
                 ": " + std::move(grund),
             Symbol::Ausrufezeichen});
        return std::nullopt;
    };
    if (!daten.FremdeDateien().empty()) {
        return nicht("Zuerst ist zu entscheiden, welche Fassung der Datei gelten soll.", false);
    }
    const auto ist = [&](const Satzaenderung& s) -> const std::vector<std::byte>& {
        return rueckwaerts ? s.Nachher : s.Vorher;
    };
    const auto soll = [&](const Satzaenderung& s) -> const std::vector<std::byte>& {
        return rueckwaerts ? s.Vorher : s.Nachher;
    };
    for (const Satzaenderung& satz : schritt.Saetze) {
        auto jetzt = daten.SatzLesen(satz.Datei, satz.SatzNr);
        if (!jetzt.HatWert() || jetzt.Wert() != ist(satz)) {
            return nicht(Satzname(formular.Namen(), satz) +
                         " wurde seitdem von einem anderen Programm geändert. Es wurde nichts "
                         "zurückgeschrieben.");
        }
    }
    const auto& stammIst = rueckwaerts ? schritt.StammNachher : schritt.StammVorher;
    const auto& stammSoll = rueckwaerts ? schritt.StammVorher : schritt.StammNachher;
    if (stammIst && stammIst->Namen != formular.Namen()) {
        return nicht("Die Stammdaten wurden seitdem geändert. Es wurde nichts zurückgeschrieben.");
    }
    {
        // Whole or not at all, the settings record with the names included.
        Datenbestand::Verbund verbund(daten);
        Erwartet<void> geschrieben;
        for (const Satzaenderung& satz : schritt.Saetze) {
            geschrieben = daten.SatzSchreiben(satz.Datei, satz.SatzNr, soll(satz));
            if (!geschrieben.HatWert()) {
                break;
            }
        }
        // Otherwise the switch stays as the user last stored it.
        const bool drucker =
            stammSoll && stammIst && stammIst->Zeilendrucker != stammSoll->Zeilendrucker
                ? stammSoll->Zeilendrucker
                : formular.ZeilendruckerGespeichert();
        if (geschrieben.HatWert() && stammSoll) {
            auto einstellungen = daten.FallLesen(EinstellungsSatz);
            geschrieben =
                einstellungen.HatWert()
                    ? daten.FallSchreiben(EinstellungsSatz,
                                          NamenEintragen(einstellungen.Wert(), EinstellungsSatz,
                                                         stammSoll->Namen, drucker))
                    : Erwartet<void>(einstellungen.Fehler());
        }
        if (geschrieben.HatWert()) {
            // To the disk with the case's own save, which the loading after the
            // step makes due.
            geschrieben = verbund.Abschliessen(false);
        }
        if (!geschrieben.HatWert()) {
            const bool zurueck = verbund.Zuruecknehmen().HatWert();
            a.Meldungen.push_back(Dateimeldung(
                geschrieben.Fehler(),
                was +
                    (rueckwaerts ? " wurde nicht rückgängig gemacht. "
                                 : " wurde nicht wiederholt. ") +
                    (zurueck
                         ? std::string("Die Daten sind unverändert.")
                         : std::string("Die Daten enthalten den Schritt nur zum Teil; Lohnwippe "
                                       "stellt den bisherigen Stand beim nächsten erfolgreichen "
                                       "Speichern wieder her."))));
            verlauf.Verwerfen();
            return std::nullopt;
        }
        verlauf.Gegangen(rueckwaerts);
        if (stammSoll) {
            formular.Zurueckgeschrieben(stammSoll->Namen, drucker);
        }
    }
    if (std::any_of(schritt.Saetze.begin(), schritt.Saetze.end(), [](const Satzaenderung& s) {
            return s.Datei == Datendatei::Faelle && s.SatzNr >= NamenSatz1;
        })) {
        formular.NamenNeuLesen();
    }
    return schritt;
}

}  // namespace lohnwippe
