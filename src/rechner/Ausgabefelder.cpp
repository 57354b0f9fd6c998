#include "rechner/Ausgabefelder.h"

#include "calc/Ergebniszeilen.h"
#include "calc/Satz.h"
#include "rechner/Spalten.h"
#include "rechner/Zeilenleser.h"
#include "rechner/Zonenspalten.h"
#include "store/Umlagesatz.h"

namespace lohnwippe::rechner {

namespace {

void SatzFeld(Zeilenschreiber& zeile, const std::optional<Satz>& satz) {
    if (satz) {
        zeile.Dezimal(SatzAlsZahl(*satz), 3);
    } else {
        zeile.Leer();
    }
}

void FelderDerEingabe(Zeilenschreiber& zeile, const Fallangaben& fall, Berichtsmonat monat,
                      const AngabenAb2013* angaben, const ErgebnisAb2013* ergebnis) {
    for (const Eingabespalte& spalte : Eingabespalten()) {
        switch (spalte.Art) {
            case Feldart::Jahr:
                zeile.Ganzzahl(monat.Jahr);
                break;
            case Feldart::Monat:
                zeile.Ganzzahl(monat.Monat);
                break;
            case Feldart::Kasse:
                if (angaben != nullptr) {
                    zeile.Text(angaben->Kasse);
                } else {
                    zeile.Text(Kassennamen.at(static_cast<std::size_t>(fall.Kasse.Wert())));
                }
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
            case Feldart::Satz:
                if (angaben == nullptr || ergebnis == nullptr) {
                    zeile.Leer();
                } else if (spalte.Stelle == ZusatzbeitragSpalte) {
                    SatzFeld(zeile, ergebnis->Zusatzbeitrag);
                } else {
                    SatzFeld(zeile,
                             (spalte.Stelle == U1SatzSpalte ? angaben->U1Satz : angaben->U2Satz)
                                 .value_or(Satz{}));
                }
                break;
            case Feldart::Kinder:
                if (angaben == nullptr) {
                    zeile.Leer();
                } else {
                    zeile.Ganzzahl(angaben->Kinder.value_or(0));
                }
                break;
        }
    }
}

}  // namespace

void EingabefelderSchreiben(Zeilenschreiber& zeile, const Fallangaben& fall, Berichtsmonat monat) {
    FelderDerEingabe(zeile, fall, monat, nullptr, nullptr);
}

void EingabefelderSchreiben(Zeilenschreiber& zeile, const Fallangaben& fall, Berichtsmonat monat,
                            const AngabenAb2013& angaben, const ErgebnisAb2013& ergebnis) {
    FelderDerEingabe(zeile, fall, monat, &angaben, &ergebnis);
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
    zeile.Dezimal(Satz::AusAnteil(ergebnis.Zusatzsatz).Prozent(), 2);
    // Column 5 holds the fund's general rate, as the rate panel shows it.
    zeile.Dezimal(eingaben.KVSatz[SummenSpalte], 2);
    for (std::size_t job = ErsteSpalte; job <= LetzterJob; ++job) {
        zeile.Dezimal(eingaben.KVSatz[job], 2);
    }
    for (Zweig b : {PV, RV, AV}) {
        zeile.Dezimal(eingaben.Jahressatz[b], 2);
    }
    for (Umlageart u : Umlagearten) {
        zeile.Dezimal(Satz::AusTausendsteln(eingaben.Umlagesatz[u]).Prozent(), 3);
    }
    zeile.Dezimal(eingaben.FaktorF, 4);
    zeile.Ganzzahl(ergebnis.WarnungSichtbar ? 1 : 0);
    ZonenfelderSchreiben(zeile, nullptr, nullptr);
}

void ErgebnisfelderSchreiben(Zeilenschreiber& zeile, const EingabenAb2013& eingaben,
                             const ErgebnisAb2013& ergebnis) {
    // The figures of 2009-2012 raise partial months by a factor and keep four
    // decimals; none of them is a figure of the later law.
    static const std::size_t alteSpalten = Ergebnisspalten().size();
    zeile.Leer(alteSpalten);
    const Periode& p = *ergebnis.Parameter;
    zeile.Leer(2);  // Teilmonatsfaktor (the days count instead), Zusatzsatz (the 0.9 of 2009-2012)
    zeile.Dezimal(SatzAlsZahl(p.KV), 2);
    for (std::size_t job = ErsteSpalte; job <= LetzterJob; ++job) {
        zeile.Dezimal(SatzAlsZahl(eingaben.Job[job].OhneKrankengeld ? p.KVErmaessigt : p.KV), 2);
    }
    for (const Satz satz : {p.PV, p.RV, p.AV}) {
        zeile.Dezimal(SatzAlsZahl(satz), 2);
    }
    for (const Satz satz : {eingaben.U1Satz, eingaben.U2Satz, p.U3}) {
        zeile.Dezimal(SatzAlsZahl(satz), 3);
    }
    zeile.Dezimal(Waehrung::AusRoh(p.F10000), 4);
    std::string hinweise;
    for (const std::string& hinweis : ergebnis.Hinweise) {
        if (!hinweise.empty()) {
            hinweise += "; ";
        }
        hinweise += hinweis;
    }
    zeile.Text(hinweise);
    ZonenfelderSchreiben(zeile, &eingaben, &ergebnis);
}

}  // namespace lohnwippe::rechner
