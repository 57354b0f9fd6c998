// The printed report on a recording surface: header, the 35 result rows,
// footer, the page printer's upward moves and the stop at a failure.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "Aufzeichnung.h"
#include "Testfall.h"
#include "calc/Ergebniszeilen.h"
#include "calc/Formate.h"

namespace lohnwippe::test {
namespace {

const std::string Linie83(83, '_'), Linie98(98, '_');

TEST(Bericht, KopfMitSpaltenUndSchriften) {
    const Aufzeichnung a = Gedruckt(Beispielbericht(Beispieleingaben(600, 150)));
    const std::string zweige = "KV, PV, RV, AV", umlagen = "KG, U1, U2, U3";
    EXPECT_EQ(
        a.Zeilen(0, 18),
        (Texte{
            "",
            "[0]Lohnbüro Muster     [4]05. Dezember 2012",
            "[0]Beispielstadt       ",
            "",
            "[0]Berechnung der SV-Beiträge in der Gleitzone i.S.v. § 20 SGB IV",
            "",
            "[0]Arbeitnehmer:[2]Personalfall 1[4]Berichtsmonat:  JAN. 2012",
            "",
            "[0]Hauptbeschäftigung bei[2]Firma A[4]Gleitzone in RV:[5]JA",
            "[0]1. Mini-Job bei[2]Firma B[4]Kinderlos:[5]NEIN",
            "[0]2. Mini.Job bei[2]Firma C[4]AOK",
            "[0]3. Mini-Job bei[2]Firma D[4]für vollen Monat",
            "[0]" + Linie83,
            "[1]Hauptbeschäftig.[2]1. Mini-Job[3]2. Mini-Job[4]3. Mini-Job[5]Summe",
            "[1]EUR  600,00[2]EUR  150,00[3]EUR    0,00[4]EUR    0,00[5]EUR  750,00",
            "[1]" + zweige + "[2]" + zweige + "[3]" + zweige + "[4]" + zweige,
            // The levy line stays open: the rule is printed on it.
            "[1]" + umlagen + "[2]" + umlagen + "[3]" + umlagen + "[4]" + umlagen + "[0]" + Linie83,
            "",
        }));
    const std::string t10 = "Times new roman 10", t12 = "Times new roman 12 fett";
    EXPECT_EQ(a.Schriften(0, 18),
              (Texte{t10, t10, t10, "Times new roman 14 fett", "Times new roman 14 fett", t12, t12,
                     t12, t12, t12, t12, t12, t12, t12, t12, "Times new roman 8",
                     "Times new roman 8, " + t12, "Courier New 10"}));
}

TEST(Bericht, AbgeschalteteSchalterUndSummeAllerEntgelte) {
    Eingaben e = Beispieleingaben(600, 600);
    e.Entgelt[4] = W(100);
    e.Zweige[1][KV] = e.KG[1] = Schalter::Aus;  // the column begins with the blank of " PV,"
    e.Zweige[2].fill(Schalter::Aus);
    e.Umlagen[2].fill(Schalter::Aus);
    e.KG[2] = Schalter::Aus;
    e.Zweige[3][AV] = e.Umlagen[3][U3] = Schalter::Grau;  // only on counts
    e.Zweige[4][PV] = e.Zweige[4][RV] = e.Umlagen[4][U1] = e.Umlagen[4][U2] = Schalter::Aus;
    // An amount of 1.000,00 or more is printed whole.
    EXPECT_EQ(Gedruckt(Beispielbericht(e)).Zeilen(14, 3),
              (Texte{"[1]EUR  600,00[2]EUR  600,00[3]EUR    0,00[4]EUR  100,00[5]EUR 1.300,00",
                     "[1] PV, RV, AV[3]KV, PV, RV,[4]KV, AV",
                     "[1] U1, U2, U3[3]KG, U1, U2,[4]KG, U3[0]" + Linie83}));
}

// The value cells of a row, as the description of the result rows names them.
std::string Betraege(const Ergebniszeile& z, const Ergebnis& r, bool summe) {
    std::string zeile;
    for (int c = ErsteSpalte; c <= SummenSpalte; ++c) {
        zeile += "[" + std::to_string(c) + "]" + (summe ? "" : " ") +
                 FormatBetragFeld(z.Wert(r, static_cast<std::size_t>(c)));
    }
    return zeile;
}

TEST(Bericht, ErgebniszeilenMitTextSchriftBetraegenUndRegeln) {
    // Childless, and the waiver box checked but not calculated yet.
    Eingaben kinderlos = Beispieleingaben(600, 150);
    kinderlos.Kinderlos = Schalter::An;
    Berichtsdaten angehakt = Beispielbericht(kinderlos);
    angehakt.RVBefreiungAngehakt = true;
    angehakt.Zeilendrucker = 1;
    // Only the value 1 means a line printer.
    Berichtsdaten woche = Beispielbericht(Beispieleingaben(150), 1);
    woche.Zeilendrucker = 2;
    // A partial month's factor stands in the header's last column too.
    const std::string voll = "für vollen Monat";
    const std::pair<Berichtsdaten, std::string> faelle[] = {
        {Beispielbericht(Beispieleingaben(600, 150)), voll},
        {woche, "für 1 Woche[5](4,348)"},
        {angehakt, voll}};
    for (const auto& [d, teilmonat] : faelle) {
        SCOPED_TRACE("Zeilendrucker " + std::to_string(d.Zeilendrucker));
        // The lines from the empty one before the first caption on.
        Texte texte, schriften, abschnitte;
        std::string davor = "Courier New 10";
        for (int r = 0; r < AnzahlErgebniszeilen; ++r) {
            const Ergebniszeile& z = Ergebniszeilen[static_cast<std::size_t>(r)];
            const std::string titel = Zeilentitel(r, d.Resultat, true, d.RVBefreiungAngehakt);
            if (z.Art == Zeilenart::Abschnitt) {
                abschnitte.push_back(titel);
                texte.insert(texte.end(), {"", "[1]" + titel, "[0]" + Linie98, "", ""});
                schriften.insert(schriften.end(), {davor, "Times Roman 10 fett", "Times Roman 10",
                                                   "Times Roman 10", "Courier New 10"});
                continue;
            }
            // Total rows stand out and drop the blank before their amounts.
            const bool summe = z.Art == Zeilenart::Summe;
            texte.push_back("[0]" + titel + Betraege(z, d.Resultat, summe) +
                            (r <= 4 ? " (AE)" : ""));
            schriften.push_back(davor = summe ? "Courier New 12 fett hervor" : "Courier New 10");
        }
        const Aufzeichnung a = Gedruckt(d);
        EXPECT_EQ(a.Zeilen(11, 1), Texte{"[0]3. Mini-Job bei[2]Firma D[4]" + teilmonat});
        const std::size_t von = a.Bei(abschnitte[0]).zeile - 1;
        EXPECT_EQ(a.Zeilen(von, texte.size()), texte);
        EXPECT_EQ(a.Schriften(von, texte.size()), schriften);
        // A page printer draws each caption's rule 200 twips up against it
        // and takes the following empty line back the same way.
        const bool zeilendrucker = d.Zeilendrucker == 1;
        std::size_t hoch = 0;
        for (const Aufzeichnung::Aufruf& r : a.aufrufe) {
            if (r.kurz.starts_with("YSetzen ")) {
                EXPECT_EQ(std::stod(r.kurz.substr(8)), r.y - 200);
                ++hoch;
            }
        }
        EXPECT_EQ(hoch, zeilendrucker ? 0u : 10u);
        for (std::size_t k = 0; k < abschnitte.size(); ++k) {
            EXPECT_EQ(a.Bei(Linie98, k).y - a.Bei(abschnitte[k]).y, zeilendrucker ? 240 : 40)
                << abschnitte[k];
        }
    }
}

TEST(Bericht, AntwortenImKopfUndSaetzeImFuss) {
    const Texte saetze{
        "[0]" + Linie98,
        "[0]Beitragssätze: KV = 14,9 %, PV = 1,95 %, RV = 19,6 %, AV = 3 %.  Faktor F = 0,7491",
        "[0]Umlagesätze: U1 = 2,1 %, U2 = 0,37 %, U3 = 0,04"};
    const std::string hinweis =
        "[0]In der Rentenversicherung wurde auf die Anwendung der Gleitzone verzichtet.";
    struct Fall {
        std::int16_t verzicht, kinderlos;
        bool gerechnet;
        std::string rv, ohneKinder;
        Texte schluss;
    };
    // Only the value 1 counts. The answers follow the stored switches, and a
    // waiver means no sliding zone in RV; the note follows the calculation.
    for (const Fall& f :
         {Fall{0, 0, false, "JA", "NEIN", {""}}, Fall{2, 2, true, "JA", "NEIN", {hinweis, ""}},
          Fall{1, 1, false, "NEIN", "JA", {""}}}) {
        Eingaben e = Beispieleingaben();
        e.RVVerzicht = f.gerechnet;
        // The KV rate named is that of the third mini-job's column.
        e.KG[4] = Schalter::Aus;
        e.KVSatz[4] = KVSatzAbleiten(1550, e.KG[4]);
        Berichtsdaten d = Beispielbericht(e);
        d.RVVerzichtImSatz = f.verzicht;
        d.KinderlosImSatz = f.kinderlos;
        const Aufzeichnung a = Gedruckt(d);
        EXPECT_EQ(a.Zeilen(8, 2),
                  (Texte{"[0]Hauptbeschäftigung bei[2]Firma A[4]Gleitzone in RV:[5]" + f.rv,
                         "[0]1. Mini-Job bei[2]Firma B[4]Kinderlos:[5]" + f.ohneKinder}));
        // The sixth long rule is the footer's; nothing follows the last line end.
        const std::size_t von = a.Bei(Linie98, 5).zeile;
        Texte fuss = saetze;
        fuss.insert(fuss.end(), f.schluss.begin(), f.schluss.end());
        EXPECT_EQ(a.Zeilen(von), fuss) << f.gerechnet;
        EXPECT_EQ(a.Schriften(von, fuss.size() - 1), Texte(fuss.size() - 1, "Times Roman 10"));
    }
}

TEST(Bericht, BeendetEinmalZuletztUndHaeltBeimScheiternSofortAn) {
    const Berichtsdaten d = Beispielbericht();
    const Aufzeichnung voll = Gedruckt(d);
    for (std::size_t ab = 0; ab < voll.aufrufe.size(); ++ab) {
        Aufzeichnung a;
        a.scheitertAb = ab;
        ASSERT_FALSE(BerichtDrucken(d, a)) << ab;
        ASSERT_EQ(a.aufrufe.size(), ab + 1) << "calls after the failure at " << ab;
        EXPECT_EQ(a.aufrufe.back().kurz, voll.aufrufe[ab].kurz);
        // The document is ended once, last.
        EXPECT_EQ(voll.aufrufe[ab].kurz == "Beenden", ab + 1 == voll.aufrufe.size()) << ab;
    }
}

}  // namespace
}  // namespace lohnwippe::test
