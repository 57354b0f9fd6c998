#include "fall/Startbefund.h"

#include "calc/Perioden.h"
#include "fall/Fallrechnung.h"
#include "store/Spaetsatznummern.h"

namespace lohnwippe {

namespace {

// The parts of the one message, in the order found.
class Befund {
  public:
    void Sagen(const std::string& text) {
        if (!text.empty()) {
            text_ += (text_.empty() ? "" : "\n\n") + text;
        }
    }
    void Abschliessen(Startbefund& befund) const {
        if (!text_.empty()) {
            befund.Meldungen.push_back({Programmtitel, text_, Symbol::Ausrufezeichen});
        }
    }

  private:
    std::string text_;
};

Startbefund Ende(const DateiFehler& fehler) {
    return {{Programmende(fehler)}, false};
}

// The case of a year from 2013 shown last and the window's place then, as
// the settings of the later file name them; none when they name no case of
// a year the table knows, or cannot be read.
std::optional<Startort> SpaeterStartfall(Datenbestand& daten) {
    auto einstellung = daten.FallAb2013Lesen(SpaetEinstellungsSatz);
    if (!einstellung.HatWert()) {
        return std::nullopt;
    }
    const auto ort = FallAb2013Zerlegen(einstellung.Wert().LetzterFall);
    if (!ort || ort->Jahr > LetztesBekanntesJahr()) {
        return std::nullopt;
    }
    return Startort{{ort->Jahr, ort->MonatPos + 1},
                    *Personenplatz::Aus(ort->PersonPos),
                    {einstellung.Wert().Oben, einstellung.Wert().Links}};
}

}  // namespace

Meldung Programmende(const DateiFehler& fehler, std::string_view grund) {
    return Dateimeldung(fehler, std::string(grund) + "Das Programm wird beendet.");
}

Startbefund DateienPruefen(Datenbestand& daten) {
    Befund befund;
    auto leer = daten.FalldateiLeer();
    if (!leer.HatWert()) {
        return Ende(leer.Fehler());
    }
    if (leer.Wert()) {
        // No data, but versions beside: most likely a save cut off, which
        // the user can take up by renaming one.
        if (const auto kopien = Datenbestand::KopienDaneben(); !kopien.empty()) {
            std::string liste;
            for (const std::string& kopie : kopien) {
                liste += "\n" + kopie;
            }
            befund.Sagen("Es gibt keine Datei " + std::string(FalldateiName) +
                         ", aber daneben Kopien davon:" + liste +
                         "\n\nLohnwippe beginnt mit leeren Daten. Um mit einer Kopie "
                         "weiterzuarbeiten, beenden Sie das Programm und benennen Sie die Kopie "
                         "in " +
                         FalldateiName + " um.");
        }
        auto angelegt = daten.DatenAnlegen();
        if (!angelegt.HatWert()) {
            return Ende(angelegt.Fehler());
        }
        // A new installation next to a new levy file is nothing to tell.
        if (angelegt.Wert().size() < static_cast<std::size_t>(AnzahlUmlagesaetze)) {
            befund.Sagen(UmlagenErgaenztMeldung(angelegt.Wert()));
        }
    } else {
        auto ergaenzt = daten.UmlagenErgaenzen();
        if (!ergaenzt.HatWert()) {
            return Ende(ergaenzt.Fehler());
        }
        befund.Sagen(UmlagenErgaenztMeldung(ergaenzt.Wert()));
        auto luecken = daten.Luecken();
        if (!luecken.HatWert()) {
            return Ende(luecken.Fehler());
        }
        for (const auto& luecke : luecken.Wert()) {
            befund.Sagen(luecke.Meldung());
        }
    }
    auto unplausibel = daten.UnplausibleUmlagen();
    if (!unplausibel.HatWert()) {
        return Ende(unplausibel.Fehler());
    }
    if (!unplausibel.Wert().Leer()) {
        befund.Sagen(unplausibel.Wert().Meldung());
    }
    Startbefund ergebnis;
    befund.Abschliessen(ergebnis);
    return ergebnis;
}

std::optional<Startort> StartortFinden(Datenbestand& daten, Stammdatenformular& formular,
                                       Aenderung& a) {
    Startbefund befund = DateienPruefen(daten);
    a.Meldungen = std::move(befund.Meldungen);
    if (!befund.Weiter) {
        return std::nullopt;
    }
    const std::optional<Fallsatz> einstellungen = formular.Einlesen(a);
    if (!einstellungen) {
        return std::nullopt;
    }
    // A case of the later years shown last wins.
    if (auto spaet = SpaeterStartfall(daten)) {
        return spaet;
    }
    const FallPosition ort = FallZerlegen(StartfallNr(einstellungen->LetzterFall));
    return Startort{*Berichtsmonat::AusPositionen(ort.JahrPos, ort.MonatPos),
                    *Personenplatz::Aus(ort.PersonPos),
                    {einstellungen->Oben, einstellungen->Links}};
}

}  // namespace lohnwippe
