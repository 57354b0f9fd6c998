#include "rechner/Export.h"

#include <algorithm>
#include <map>
#include <utility>

#include "calc/Ergebnis.h"
#include "calc/Perioden.h"
#include "calc/Utf8.h"
#include "calc/Zeichen.h"
#include "fall/Fallrechnung.h"
#include "rechner/Ausgabefelder.h"
#include "rechner/Datenordner.h"
#include "rechner/Rechnen.h"
#include "rechner/Spalten.h"
#include "rechner/Zeilenleser.h"
#include "rechner/Zonenspalten.h"
#include "store/Spaetsatz.h"

namespace lohnwippe::rechner {

namespace {

// Which stored cases to give out.
struct Exportauswahl {
    std::optional<int> Jahr;       // 2009 .. LetztesBekanntesJahr; none: all
    std::optional<int> PersonPos;  // 0 .. 9; none: all ten
    bool Alle = false;
};

// Names fill their fields with blanks, and a damaged or very old file with
// zero bytes; neither belongs in a spreadsheet cell.
std::string OhneEndblanks(std::string text) {
    text.erase(text.find_last_not_of(std::string_view(" \0", 2)) + 1);
    return text;
}

// A name as a cell shows it: control characters, which only a damaged file
// holds (a zero byte, a line break that would end the CSV row), as U+FFFD.
std::string Zellenname(const std::string& feld) {
    const std::string text = OhneEndblanks(feld);
    std::string name;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t anfang = i;
        char32_t zeichen = 0;
        if (Utf8Lesen(text, i, zeichen) &&
            (zeichen < 0x20 || (zeichen >= 0x7F && zeichen <= 0x9F))) {
            name += "\uFFFD";
        } else {
            name.append(text, anfang, i - anfang);
        }
    }
    return name;
}

// The ten person names, as the list shows them but without the blanks that
// fill their fields.
std::array<std::string, AnzahlPersonen> Personennamen(Datenbestand& daten) {
    const Namensfelder namen = OderAbbruch(daten.Namen());
    std::array<std::string, AnzahlPersonen> personen;
    for (std::size_t i = 0; i < personen.size(); ++i) {
        personen[i] = Zellenname(namen.Personen[i]);
    }
    return personen;
}

// "SV.dat, Satz 17 (Person 2, MAI 2009)": by number, since a damaged name
// may be empty.
std::string Fallort(int fallNr, int personPos, Berichtsmonat monat) {
    return std::string(monat.Jahr > LetztesJahr ? SpaetdateiName : FalldateiName) + ", Satz " +
           std::to_string(fallNr) + " (Person " + std::to_string(personPos + 1) + ", " +
           Monatskuerzel(monat.Monat) + " " + Jahrestext(monat.Jahr) + ")";
}

// The sheet "Jahressummen" of a spreadsheet export: per person and year
// the cases exported and the sums of their "_Summe" amounts, added from the
// cells as written so that the sheet agrees with sums formed in the sheet
// of the cases.
class Jahressummen {
  public:
    explicit Jahressummen(Mappenschreiber& mappe) : mappe_(mappe) {
        const std::vector<std::string> spalten = Exportspalten();
        const std::vector<std::string> ab2013 = Zonenspalten();
        for (std::size_t i = 0; i < spalten.size(); ++i) {
            if (spalten[i].ends_with("_Summe")) {
                summenspalten_.push_back(i);
                namen_.push_back(spalten[i]);
                ab2013_.push_back(std::find(ab2013.begin(), ab2013.end(), spalten[i]) !=
                                  ab2013.end());
            }
        }
    }

    // After the row of a case.
    void Zaehlen(int personNr, const std::string& person, int jahr) {
        Personenjahr& summe = summen_[{personNr, jahr}];
        summe.Person = person;
        summe.Betraege.resize(summenspalten_.size());
        ++summe.Faelle;
        for (std::size_t i = 0; i < summenspalten_.size(); ++i) {
            // Cents held exactly: the double turns back into the same count.
            summe.Betraege[i] +=
                Waehrung::AusDoubleHalbGerade(mappe_.Zahlwert(summenspalten_[i]).value_or(0));
        }
    }

    void Schreiben() {
        std::vector<std::string> spalten{"Person_Nr", "Person", "Jahr", "Faelle"};
        spalten.insert(spalten.end(), namen_.begin(), namen_.end());
        Zeilenschreiber blatt(mappe_, "Jahressummen", std::move(spalten));
        blatt.Kopf();
        for (const auto& [schluessel, summe] : summen_) {
            blatt.Ganzzahl(schluessel.first);
            blatt.Text(summe.Person);
            blatt.Ganzzahl(schluessel.second);
            blatt.Ganzzahl(summe.Faelle);
            // A year's cases have the columns of their law only; the
            // others stay empty, as in the sheet of the cases, not 0.
            for (std::size_t i = 0; i < summe.Betraege.size(); ++i) {
                if (ab2013_[i] == (schluessel.second > LetztesJahr)) {
                    blatt.Betrag(summe.Betraege[i], 2);
                } else {
                    blatt.Text("");
                }
            }
            blatt.Zeilenende();
        }
    }

  private:
    struct Personenjahr {
        std::string Person;
        long Faelle = 0;
        std::vector<Waehrung> Betraege;
    };
    Mappenschreiber& mappe_;
    std::vector<std::size_t> summenspalten_;
    std::vector<std::string> namen_;
    std::vector<bool> ab2013_;                            // by sum column: one of the law from 2013
    std::map<std::pair<int, int>, Personenjahr> summen_;  // by person number and year
};

Zaehlung FaelleExportieren(Datenbestand& daten, const Exportauswahl& auswahl,
                           Zeilenschreiber& ausgabe, Jahressummen* summen, const Melder& melden) {
    const auto personen = Personennamen(daten);
    const Umlagetabelle umlagen = UmlagenLesen(daten);
    Zaehlung zaehlung;
    int gemeldet = 0;  // January record of the year whose sum failed last
    for (int fallNr = 1; fallNr <= AnzahlFaelle; ++fallNr) {
        const FallPosition position = FallZerlegen(fallNr);
        const Berichtsmonat monat =
            *Berichtsmonat::AusPositionen(position.JahrPos, position.MonatPos);
        if ((auswahl.Jahr && *auswahl.Jahr != monat.Jahr) ||
            (auswahl.PersonPos && *auswahl.PersonPos != position.PersonPos)) {
            continue;
        }
        auto gelesen = daten.FallLesen(fallNr);
        if (!gelesen.HatWert()) {  // in memory only for numbers out of range
            continue;
        }
        const Fallangaben angaben = AngabenAusSatz(gelesen.Wert());
        if (!auswahl.Alle && Unberuehrt(angaben)) {
            continue;
        }
        const Eingaben eingaben =
            EingabenAusFall(angaben, umlagen[static_cast<std::size_t>(UmlageNr(monat) - 1)], monat);
        std::optional<Ergebnis> ergebnis;
        try {
            ergebnis = Berechnen(eingaben);
        } catch (const std::overflow_error&) {
            // Only a damaged file holds such amounts; the window says the same.
            melden(Fallort(fallNr, position.PersonPos, monat) + ": " + BetraegeZuGross);
            ++zaehlung.Abgewiesen;
            continue;
        }
        // The window shows no annual sum when it cannot form one; here its
        // field stays empty, and the year is named once.
        const auto jahressumme = daten.Jahressumme(fallNr);
        if (!jahressumme.HatWert()) {
            ++zaehlung.Unvollstaendig;
            const int januar = JanuarsatzNr(fallNr);
            if (januar != gemeldet) {
                gemeldet = januar;
                melden(jahressumme.Fehler().Meldung() +
                       " – Spalte „Jahressumme“ bleibt für Person " +
                       std::to_string(position.PersonPos + 1) + " im Jahr " +
                       Jahrestext(monat.Jahr) + " leer");
            }
        }
        ausgabe.Ganzzahl(fallNr);
        ausgabe.Ganzzahl(position.PersonPos + 1);
        ausgabe.Text(personen[static_cast<std::size_t>(position.PersonPos)]);
        for (const Job job : AlleJobs) {
            ausgabe.Text(Zellenname(angaben[job].Arbeitgeber));
        }
        EingabefelderSchreiben(ausgabe, angaben, monat);
        ErgebnisfelderSchreiben(ausgabe, eingaben, *ergebnis);
        if (jahressumme.HatWert()) {
            ausgabe.Betrag(jahressumme.Wert(), 2);
        } else {
            ausgabe.Text("");
        }
        ausgabe.Zeilenende();
        if (summen != nullptr) {
            summen->Zaehlen(position.PersonPos + 1,
                            personen[static_cast<std::size_t>(position.PersonPos)], monat.Jahr);
        }
        ++zaehlung.Gerechnet;
    }
    return zaehlung;
}

// The fund of a case from 2013, its place in the year's list; none when
// the list has no such place (the fund was taken out of it since).
const Kasseneintrag* KasseDesFalls(const Kassenlisten& listen, int jahr, const Fallsatz& satz) {
    const std::vector<Kasseneintrag>& kassen = KassenDesJahres(listen, jahr);
    return satz.KassePos >= 0 && static_cast<std::size_t>(satz.KassePos) < kassen.size()
               ? &kassen[static_cast<std::size_t>(satz.KassePos)]
               : nullptr;
}

// The stored cases from 2013, as FaelleExportieren those of 2009-2012: the
// inputs, the fund's rates from the year's list, the calculation from 2013.
void SpaetfaelleExportieren(Datenbestand& daten, const Exportauswahl& auswahl,
                            Zeilenschreiber& ausgabe, Jahressummen* summen, const Melder& melden,
                            Zaehlung& zaehlung) {
    const auto personen = Personennamen(daten);
    const Kassenlisten kassen = KassenlistenLesen(daten);
    for (int jahr = ErstesSpaetjahr; jahr <= LetztesBekanntesJahr(); ++jahr) {
        for (int personPos = 0; personPos < AnzahlPersonen; ++personPos) {
            if ((auswahl.Jahr && *auswahl.Jahr != jahr) ||
                (auswahl.PersonPos && *auswahl.PersonPos != personPos)) {
                continue;
            }
            // One sum for the person's year; a failure named once.
            const auto jahressumme = daten.JahressummeAb2013(FallNrAb2013(jahr, personPos, 0));
            bool gemeldet = false;
            for (int monatPos = 0; monatPos < MonateJeJahr; ++monatPos) {
                const int satzNr = FallNrAb2013(jahr, personPos, monatPos);
                const Berichtsmonat monat{jahr, monatPos + 1};
                const Fallsatz satz = OderAbbruch(daten.FallAb2013Lesen(satzNr));
                Fallzeile zeile{AngabenAusSatz(satz), monat, AngabenAb2013{}};
                if (!auswahl.Alle && Unberuehrt(zeile.Fall)) {
                    continue;
                }
                const Kasseneintrag* kasse = KasseDesFalls(kassen, jahr, satz);
                std::optional<std::string> grund;
                if (kasse == nullptr) {
                    grund = "die Kasse Nr. " + std::to_string(satz.KassePos + 1) +
                            " steht nicht in der Kassenliste " + std::to_string(jahr);
                } else {
                    *zeile.Ab2013 = {Zellenname(kasse->Name), kasse->Zusatzbeitrag, kasse->U1,
                                     kasse->U2, KinderLesen(satz)};
                }
                const EingabenAb2013 eingaben =
                    kasse != nullptr ? EingabenAb2013VonZeile(zeile) : EingabenAb2013{};
                const RechnungAb2013 rechnung =
                    kasse != nullptr ? BerechnenAb2013(eingaben) : RechnungAb2013{};
                if (!grund && !rechnung.Ergebnis) {
                    grund = rechnung.Meldung;
                }
                if (grund) {
                    melden(Fallort(satzNr, personPos, monat) + ": " + *grund);
                    ++zaehlung.Abgewiesen;
                    continue;
                }
                ausgabe.Ganzzahl(satzNr);
                ausgabe.Ganzzahl(personPos + 1);
                ausgabe.Text(personen[static_cast<std::size_t>(personPos)]);
                for (const Job job : AlleJobs) {
                    ausgabe.Text(Zellenname(zeile.Fall[job].Arbeitgeber));
                }
                EingabefelderSchreiben(ausgabe, zeile.Fall, monat, *zeile.Ab2013,
                                       *rechnung.Ergebnis);
                ErgebnisfelderSchreiben(ausgabe, eingaben, *rechnung.Ergebnis);
                if (jahressumme.HatWert()) {
                    ausgabe.Betrag(jahressumme.Wert(), 2);
                } else {
                    ++zaehlung.Unvollstaendig;
                    ausgabe.Text("");
                    if (!std::exchange(gemeldet, true)) {
                        melden(jahressumme.Fehler().Meldung() +
                               " – Spalte „Jahressumme“ bleibt für Person " +
                               std::to_string(personPos + 1) + " im Jahr " + Jahrestext(jahr) +
                               " leer");
                    }
                }
                ausgabe.Zeilenende();
                if (summen != nullptr) {
                    summen->Zaehlen(personPos + 1, personen[static_cast<std::size_t>(personPos)],
                                    jahr);
                }
                ++zaehlung.Gerechnet;
            }
        }
    }
}

int PersonWaehlen(const std::string& person, Datenbestand& daten) {
    const auto personen = Personennamen(daten);
    const std::string gesucht = OhneEndblanks(person);
    if (const auto nr = GanzzahlLesen(gesucht);
        gesucht.size() <= 2 && nr && *nr >= 1 && *nr <= AnzahlPersonen) {
        return static_cast<int>(*nr - 1);
    }
    for (std::size_t i = 0; i < personen.size(); ++i) {
        if (personen[i] == gesucht) {
            return static_cast<int>(i);
        }
    }
    std::string meldung =
        "--person " + Zitat(person) + ": keine Nummer 1 bis 10 und kein Name der Personenliste (";
    for (std::size_t i = 0; i < personen.size(); ++i) {
        meldung += i == 0 ? "" : ", ";
        meldung += Zitat(personen[i]);
    }
    throw Abbruch(meldung + ")");
}

}  // namespace

int ExportBefehl(const Exportauftrag& auftrag, const Melder& melden) {
    return ZeilenAusgeben(auftrag.Ausgabe, melden, [&](Ausgabe& ausgabe) {
        Exportauswahl auswahl;
        auswahl.Alle = auftrag.Alle;
        if (auftrag.Jahr) {
            const std::string& jahr = *auftrag.Jahr;
            const auto zahl = GanzzahlLesen(jahr);
            if (jahr.size() != 4 || !zahl || *zahl < ErstesJahr || *zahl > LetztesBekanntesJahr()) {
                throw Abbruch("--jahr " + Zitat(jahr) + ": ein Jahr von " +
                              std::to_string(ErstesJahr) + " bis " +
                              std::to_string(LetztesBekanntesJahr()));
            }
            auswahl.Jahr = static_cast<int>(*zahl);
        }
        Gelesenes gelesen;
        Datenbestand daten = DatenordnerLesen(
            auftrag.Ordner ? *auftrag.Ordner : Benutzerdatenordner(), true, gelesen, melden);
        if (auftrag.Person) {
            auswahl.PersonPos = PersonWaehlen(*auftrag.Person, daten);
        }
        Zeilenschreiber& schreiber = ausgabe.Oeffnen(Exportspalten(), gelesen, "Fälle");
        std::optional<Jahressummen> summen;
        if (Mappenschreiber* mappe = ausgabe.Mappe()) {
            summen.emplace(*mappe);
        }
        Zaehlung zaehlung;
        if (!auswahl.Jahr || *auswahl.Jahr <= LetztesJahr) {
            zaehlung =
                FaelleExportieren(daten, auswahl, schreiber, summen ? &*summen : nullptr, melden);
        }
        if (!auswahl.Jahr || *auswahl.Jahr > LetztesJahr) {
            SpaetfaelleExportieren(daten, auswahl, schreiber, summen ? &*summen : nullptr, melden,
                                   zaehlung);
        }
        if (summen) {
            summen->Schreiben();
        }
        return zaehlung;
    });
}

}  // namespace lohnwippe::rechner
