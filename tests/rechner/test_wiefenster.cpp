// The calculator and the window's case model, given the same cases, show
// the same figures: the model driven as a user drives the window, the
// calculator with one input row per case.
#include <random>

#include "FallTest.h"
#include "Zeilen.h"
#include "calc/Formate.h"
#include "rechner/Ausgabefelder.h"
#include "rechner/Rechnen.h"

namespace lohnwippe::test {
namespace {

using namespace rechner;

// The result columns the calculator writes for a case, as CSV: column name
// and text.
Ausgabezeile Ergebnisfelder(const Eingaben& eingaben, const Ergebnis& ergebnis) {
    std::vector<std::string> spalten = Rechenspalten();
    spalten.erase(spalten.begin(), spalten.begin() + AnzahlEingabespalten);
    std::string text;
    Zeilenschreiber zeile([&](std::string_view daten) { text += daten; }, Ausgabeformat::Csv,
                          spalten);
    zeile.Kopf();
    ErgebnisfelderSchreiben(zeile, eingaben, ergebnis);
    zeile.Zeilenende();
    zeile.Leeren();
    return CsvZeilen(text).at(0);
}

TEST_F(FallTest, DerRechnerRechnetWieDasFenster) {
    Starten();
    std::mt19937 zufall(20121);
    const auto zahl = [&](int von, int bis) {
        return std::uniform_int_distribution<int>(von, bis)(zufall);
    };
    const std::array<const char*, 8> schalter = {"KV", "PV", "RV", "AV", "KG", "U1", "U2", "U3"};
    for (int fallNr = 0; fallNr < 60; ++fallNr) {
        fall->JahrWaehlen(*Jahresplatz::Aus(zahl(0, 3)));
        fall->MonatWaehlen(*Monatsplatz::Aus(zahl(0, 11)));
        fall->KasseWaehlen(*Kassenplatz::Aus(zahl(0, 21)));
        fall->TeilmonatWaehlen(*Teilmonatsplatz::Aus(zahl(0, 4) == 0 ? zahl(1, 34) : 0));
        for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
            Tippen(j, zahl(0, 2) == 0
                          ? "0"
                          : std::to_string(zahl(100, 900)) + "," + std::to_string(zahl(10, 99)));
            if (zahl(0, 2) == 0) {
                fall->SchalterKlicken(J(j), static_cast<Jobschalter>(zahl(0, 7)));
            }
        }
        if (zahl(0, 2) == 0) {
            fall->SchalterKlicken(static_cast<Allgemeinschalter>(zahl(0, 2)));
        }

        // The row a spreadsheet would hold for the case on screen.
        const Fallangaben& f = fall->Bildschirm().Angaben();
        const auto zahltext = [](Schalter s) { return std::to_string(Gespeichert(s)); };
        std::vector<std::pair<std::string, std::string>> werte = {
            {"Jahr", std::to_string(fall->Bildschirm().Monat().Jahr)},
            {"Monat", std::to_string(fall->Bildschirm().Monat().Monat)},
            {"Kasse", std::string(Kassennamen[static_cast<std::size_t>(f.Kasse.Wert())])},
            {"Teilmonat", std::to_string(f.Teilmonat.Wert() + 1)},
            {"RV-Verzicht", zahltext(f.RVVerzicht)},
            {"Sachsen", zahltext(f.Sachsen)},
            {"Kinderlos", zahltext(f.Kinderlos)}};
        for (const Job job : AlleJobs) {
            const std::string n = "_" + std::to_string(job.Nr());
            werte.emplace_back("Entgelt" + n, FormatBetrag(f[job].Entgelt));
            for (std::size_t s = 0; s < schalter.size(); ++s) {
                const Schalter zustand = s < 4    ? f[job].Zweige[s]
                                         : s == 4 ? f[job].KG
                                                  : f[job].Umlagen[s - 5];
                werte.emplace_back(schalter[s] + n, zahltext(zustand));
            }
        }
        Eingabefelder felder{};
        for (const auto& [name, text] : werte) {
            const int spalte = Eingabespaltennummer(name);
            ASSERT_GE(spalte, 0) << name;
            felder[static_cast<std::size_t>(spalte)] = text;
        }
        const auto zeile = ZeileLesen(felder, Zahlformat::Deutsch);
        ASSERT_EQ(zeile.index(), 0u)
            << std::get<1>(zeile).Spalte << ": " << std::get<1>(zeile).Grund;
        const Eingaben eingaben = EingabenVonZeile(std::get<0>(zeile), StandardUmlagen());
        const auto rechner = Ergebnisfelder(eingaben, Berechnen(eingaben));
        ASSERT_EQ(rechner,
                  Ergebnisfelder(fall->Bildschirm()
                                     .Bericht(fall->Stammdaten().Namen(),
                                              fall->Stammdaten().Zeilendrucker(), 2012, 1, 1)
                                     .Eingabe,
                                 fall->Bildschirm().Resultat()))
            << "Fall " << fallNr;
    }
}

}  // namespace
}  // namespace lohnwippe::test
