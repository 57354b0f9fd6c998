#include "rechner/Ausgabefelder.h"

#include "calc/Ergebniszeilen.h"
#include "rechner/Spalten.h"
#include "rechner/Zeilenleser.h"
#include "store/Umlagesatz.h"

namespace lohnwippe::rechner {

void EingabefelderSchreiben(Zeilenschreiber& zeile, const Fallangaben& fall, Berichtsmonat monat) {
    for (const Eingabespalte& spalte : Eingabespalten()) {
        switch (spalte.Art) {
            case Feldart::Jahr:
                zeile.Ganzzahl(monat.Jahr);
                break;
            case Feldart::Monat:
                zeile.Ganzzahl(monat.Monat);
                break;
            case Feldart::Kasse:
                zeile.Text(Kassennamen.at(static_cast<std::size_t>(fall.Kasse.Wert())));
                break;
            case Feldart::Teilmonat:
                zeile.Text(Teilmonatsname(fall.Teilmonat.Wert()));
                break;
            case Feldart::Entgelt:
                zeile.Betrag(fall.Jobs[static_cast<std::size_t>(spalte.Job)].Entgelt, 2);
                break;
            case Feldart::Zweig:
            case Feldart::Umlage:
            case Feldart::Allgemein:
                zeile.Ganzzahl(Gespeichert(SchalterDerSpalte(fall, spalte)));
                break;
        }
    }
}

void ErgebnisfelderSchreiben(Zeilenschreiber& zeile, const Eingaben& eingaben,
                             const Ergebnis& ergebnis) {
    for (const Ergebniszeile& z : Ergebniszeilen) {
        if (z.Wert == nullptr) {
            continue;
        }
        for (std::size_t spalte = ErsteSpalte; spalte <= SummenSpalte; ++spalte) {
            zeile.Betrag(z.Wert(ergebnis, spalte), 2);
        }
        if (z.VierStellen) {
            for (std::size_t spalte = ErsteSpalte; spalte <= SummenSpalte; ++spalte) {
                zeile.Betrag(z.Wert(ergebnis, spalte), 4);
            }
        }
    }
    zeile.Zahl(ergebnis.Teilmonatsfaktor);
    // As the caption of row 31 shows it: 0,90 or 1,15 (percent).
    zeile.Dezimal(Waehrung::AusDoubleHalbGerade(ergebnis.Zusatzsatz * 100), 2);
    // Column 5 holds the fund's general rate, as the rate panel shows it.
    zeile.Dezimal(eingaben.KVSatz[SummenSpalte], 2);
    for (std::size_t job = ErsteSpalte; job <= LetzterJob; ++job) {
        zeile.Dezimal(eingaben.KVSatz[job], 2);
    }
    for (Zweig b : {PV, RV, AV}) {
        zeile.Dezimal(eingaben.Jahressatz[b], 2);
    }
    for (Umlageart u : Umlagearten) {
        // Thousandths of a percent: one unit is ten counts of 1/10000.
        zeile.Dezimal(Waehrung::AusRoh(std::int64_t{eingaben.Umlagesatz[u]} * 10), 3);
    }
    zeile.Dezimal(eingaben.FaktorF, 4);
    zeile.Ganzzahl(ergebnis.WarnungSichtbar ? 1 : 0);
}

}  // namespace lohnwippe::rechner
