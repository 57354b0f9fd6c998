#include "rechner/Export.h"

#include "fall/Fallrechnung.h"
#include "rechner/Ausgabefelder.h"
#include "rechner/Dateizugang.h"
#include "rechner/Spalten.h"
#include "store/Einstellungssatz.h"

namespace lohnwippe::rechner {

namespace {

// Names fill their fields with blanks, and a damaged or very old file with
// zero bytes; neither belongs in a spreadsheet cell.
std::string OhneEndblanks(std::string text) {
    text.erase(text.find_last_not_of(std::string_view(" \0", 2)) + 1);
    return text;
}

// The ten person names, as the list shows them but without the blanks that
// fill their fields.
std::array<std::string, AnzahlPersonen> Personennamen(Datenbestand& daten) {
    std::array<Fallsatz, 3> saetze;
    for (int i = 0; i < 3; ++i) {
        auto satz = daten.FallLesen(NamenSatz1 + i);
        saetze[static_cast<std::size_t>(i)] = satz.HatWert() ? satz.Wert() : Fallsatz{};
    }
    const Namensfelder namen = NamenLesen(saetze[0], saetze[1], saetze[2]);
    std::array<std::string, AnzahlPersonen> personen;
    for (std::size_t i = 0; i < personen.size(); ++i) {
        personen[i] = OhneEndblanks(namen.Personen[i]);
    }
    return personen;
}

// "SV.dat, Satz 17 (Person 2, MAI 2009)": by number, since a damaged name
// may be empty.
std::string Fallort(int fallNr, int personPos, Berichtsmonat monat) {
    return std::string(FalldateiName) + ", Satz " + std::to_string(fallNr) + " (Person " +
           std::to_string(personPos + 1) + ", " + Monatskuerzel(monat.Monat) + " " +
           Jahrestext(monat.Jahr) + ")";
}

}  // namespace

Zaehlung FaelleExportieren(Datenbestand& daten, const Exportauswahl& auswahl,
                           Zeilenschreiber& ausgabe, const Melder& melden) {
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
        const Fallsatz fall = SatzMitAngaben(gelesen.Wert(), angaben);
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
            melden(Fallort(fallNr, position.PersonPos, monat) +
                   ": Die Beträge dieses Falls sind zu groß, um sie zu berechnen.");
            ++zaehlung.Abgewiesen;
            continue;
        }
        // The window shows no annual sum when it cannot form one; here its
        // field stays empty, and the year is named once.
        const auto jahressumme = daten.Jahressumme(fallNr);
        if (!jahressumme.HatWert()) {
            ++zaehlung.Unvollstaendig;
            const int januar = (fallNr - 1) / MonateJeJahr * MonateJeJahr + 1;
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
        for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
            ausgabe.Text(OhneEndblanks(fall.Namen[job]));
        }
        EingabefelderSchreiben(ausgabe, fall, monat);
        ErgebnisfelderSchreiben(ausgabe, eingaben, *ergebnis);
        if (jahressumme.HatWert()) {
            ausgabe.Betrag(jahressumme.Wert(), 2);
        } else {
            ausgabe.Text("");
        }
        ausgabe.Zeilenende();
        ++zaehlung.Gerechnet;
    }
    return zaehlung;
}

int PersonWaehlen(const std::string& person, Datenbestand& daten) {
    const auto personen = Personennamen(daten);
    const std::string gesucht = OhneEndblanks(person);
    if (gesucht.size() <= 2 && gesucht.find_first_not_of("0123456789") == std::string::npos &&
        !gesucht.empty()) {
        const int nr = std::stoi(gesucht);
        if (nr >= 1 && nr <= AnzahlPersonen) {
            return nr - 1;
        }
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

int ExportBefehl(const Exportauftrag& auftrag, const Melder& melden) {
    try {
        const Ausgabeformat format =
            auftrag.Format.value_or(FormatNachName(auftrag.Ausgabe).value_or(Ausgabeformat::Csv));
        if (auftrag.Bom && format != Ausgabeformat::Csv) {
            throw Abbruch("--bom gilt nur für CSV: JSON-Zeilen haben keine Byte-Order-Markierung");
        }
        Exportauswahl auswahl;
        auswahl.Alle = auftrag.Alle;
        if (auftrag.Jahr) {
            const std::string& jahr = *auftrag.Jahr;
            const bool zahl =
                jahr.size() == 4 && jahr.find_first_not_of("0123456789") == std::string::npos;
            if (!zahl || std::stoi(jahr) < ErstesJahr || std::stoi(jahr) > LetztesJahr) {
                throw Abbruch("--jahr " + Zitat(jahr) + ": ein Jahr von 2009 bis 2012");
            }
            auswahl.Jahr = std::stoi(jahr);
        }
        const std::string ordner = auftrag.Ordner ? *auftrag.Ordner : Benutzerdatenordner();
        const std::string pfad = ordner + (ordner.ends_with('/') ? "" : "/");
        auto faelle =
            AbbildLesen(ordner, FalldateiName, FallsatzLaenge * AnzahlSaetzeFalldatei, false);
        auto umlagen =
            AbbildLesen(ordner, UmlagedateiName, UmlagesatzLaenge * AnzahlUmlagesaetze, true);
        Datenbestand daten =
            DatenbestandAusAbbildern(std::move(faelle), std::move(umlagen), melden);
        if (auftrag.Person) {
            auswahl.PersonPos = PersonWaehlen(*auftrag.Person, daten);
        }

        std::vector<Dateikennung> geschuetzt;
        for (const char* name : {FalldateiName, UmlagedateiName}) {
            if (const auto kennung = KennungVon(pfad + name)) {
                geschuetzt.push_back(*kennung);
            }
        }
        Deskriptor ausgabe(ZumSchreibenOeffnen(auftrag.Ausgabe, geschuetzt));
        DateiZiel ziel(ausgabe.Fd(), auftrag.Ausgabe == "-" ? "Standardausgabe" : auftrag.Ausgabe);
        Zeilenschreiber schreiber(ziel, format, Exportspalten(), auftrag.Bom);
        schreiber.Kopf();
        const Zaehlung zaehlung = FaelleExportieren(daten, auswahl, schreiber, melden);
        schreiber.Leeren();
        ausgabe.Schliessen(auftrag.Ausgabe);
        return zaehlung.Abgewiesen + zaehlung.Unvollstaendig > 0 ? 1 : 0;
    } catch (const Abbruch& abbruch) {
        melden(abbruch.what());
        return 2;
    }
}

}  // namespace lohnwippe::rechner
