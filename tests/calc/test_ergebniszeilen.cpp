// The one description of the 35 result rows against a listing of them
// written out by hand, and the cells the result table shows from it.
#include <gtest/gtest.h>

#include "TestHilfen.h"
#include "calc/Ergebniszeilen.h"

namespace lohnwippe {
namespace {

using enum Zeilenfarbe;

// A run whose every value names its place: line code + column, the code
// being 100 times the line's rank plus 10 times the branch or levy.
Ergebnis Gekennzeichnet() {
    Ergebnis r;
    for (std::size_t c = 1; c <= 5; ++c) {
        const auto w = [c](int code) { return Waehrung::AusGanzzahl(code + static_cast<int>(c)); };
        for (std::size_t b = 0; b < 4; ++b) {
            const int z = 10 * static_cast<int>(b);
            r.AE[c][b] = w(100 + z);
            r.AEGekuerzt[c][b] = w(200 + z);
            r.Gesamtbeitrag[c][b] = w(300 + z);
            r.Arbeitgeberanteil[c][b] = w(400 + z);
            r.Arbeitnehmeranteil[c][b] = w(600 + z);
            if (b < 3) {
                r.Umlage[c][b] = w(500 + z);
            }
        }
        r.GesamtSumme[c] = w(350);
        r.AGSumme[c] = w(450);
        r.AGAufwand[c] = w(550);
        r.Zusatzbeitrag[c] = w(700);
        r.ANSumme[c] = w(710);
        r.ANNetto[c] = w(720);
        r.ANErsparnis[c] = w(730);
    }
    return r;
}

TEST(Ergebniszeilen, BeschreibungWieAufgelistet) {
    // Kind (A section, W value, S total), caption in the table and on paper
    // ("=": the same), colour of the values, code of the value (see above),
    // four decimals.
    const std::tuple<char, const char*, const char*, Zeilenfarbe, int, bool>
        liste[AnzahlErgebniszeilen] = {
            {'A', "1. Beitragspflichtiges Arbeitsentgelt (AE)", "=", Lavendel, 0, false},
            {'W', "KV", "=", Keine, 100, true},
            {'W', "PV", "=", Keine, 110, true},
            {'W', "RV", "=", Keine, 120, true},
            {'W', "AV", "=", Keine, 130, true},
            {'A', "2. Entgelt Nr. 1 (AE)gekürzt nach der Formel: F x 400 + (2 - F) x (AE - 400)",
             "2. Entgelt Nr. 1 (AE) gekürzt nach der Formel: F x 400 + (2 - F) x (AE - 400)",
             Lavendel, 0, false},
            {'W', "KV", "=", Keine, 200, false},
            {'W', "PV", "=", Keine, 210, false},
            {'W', "RV", "=", Keine, 220, false},
            {'W', "AV", "=", Keine, 230, false},
            {'A', "3. Gesamtbeitrag je SV-Zweig aus 2.", "=", Lavendel, 0, false},
            {'W', "KV", "=", Keine, 300, false},
            {'W', "PV", "=", Keine, 310, false},
            {'W', "RV", "=", Keine, 320, false},
            {'W', "AV", "=", Keine, 330, false},
            {'W', "Summe", "=", Keine, 350, false},
            {'A', "4. Arbeitgeberanteil aus 1.", "=", Lavendel, 0, false},
            {'W', "KV", "=", Hellgelb, 400, false},
            {'W', "PV", "=", Hellgelb, 410, false},
            {'W', "RV", "=", Hellgelb, 420, false},
            {'W', "AV", "=", Hellgelb, 430, false},
            {'S', "Summe", "=", Gelb, 450, false},
            {'W', "Umlage U1", "=", Keine, 500, false},
            {'W', "Umlage U2", "=", Keine, 510, false},
            {'W', "Umlage U3", "=", Keine, 520, false},
            {'S', "AG-Aufwand", "=", Hellgrau, 550, false},
            {'A', "5. Arbeitnehmeranteil (3. minus 4.)",
             "5. Arbeitnehmeranteil (Nr. 3 minus Nr. 4)", Lavendel, 0, false},
            {'W', "KV", "=", Hellgelb, 600, false},
            {'W', "PV", "=", Hellgelb, 610, false},
            {'W', "RV", "=", Hellgelb, 620, false},
            {'W', "AV", "=", Hellgelb, 630, false},
            {'W', "% Zusatzbeitr.", "% Zusatzb.", Hellgelb, 700, true},
            {'S', "Summe", "=", Gelb, 710, true},
            {'S', "AN-Netto", "=", Hellgrau, 720, true},
            {'W', "AN-Ersparnis", "=", Keine, 730, false},
        };
    const Ergebnis r = Gekennzeichnet();
    for (std::size_t i = 0; i < AnzahlErgebniszeilen; ++i) {
        SCOPED_TRACE(i);
        const Ergebniszeile& z = Ergebniszeilen[i];
        const auto& [art, tabelle, bericht, farbe, code, vier] = liste[i];
        const char ist = z.Art == Zeilenart::Abschnitt ? 'A' : z.Art == Zeilenart::Wert ? 'W' : 'S';
        EXPECT_EQ(std::tuple(ist, z.Tabelle, z.Farbe, z.VierStellen, z.Wert == nullptr),
                  std::tuple(art, tabelle, farbe, vier, code == 0));
        EXPECT_EQ(z.Bericht, std::string(bericht) == "=" ? tabelle : bericht);
        for (std::size_t c = 1; c <= 5 && z.Wert != nullptr; ++c) {
            EXPECT_EQ(z.Wert(r, c), Waehrung::AusGanzzahl(code + static_cast<int>(c))) << c;
        }
    }
}

TEST(Ergebniszeilen, ZellenVorUndNachDerErstenRechnung) {
    // Before the first run: the plain captions, no values.
    EXPECT_EQ(Tabellenzelle(31, 0, nullptr), "Zusatzbeiträge");
    EXPECT_EQ(Tabellenzelle(0, 5, nullptr), "Summe     ");
    EXPECT_EQ(Tabellenzelle(0, 1, nullptr), "");
    EXPECT_EQ(Tabellenzelle(5, 5, nullptr), Ergebniszeilen[5].Tabelle);
    EXPECT_EQ(Tabellenzelle(10, 5, nullptr), "");
    EXPECT_EQ(Tabellenzelle(15, 0, nullptr), "Summe");
    EXPECT_EQ(Tabellenzelle(15, 3, nullptr), "");

    Ergebnis r = Gekennzeichnet();
    r.Teilmonatsfaktor = W(4.348);
    r.Zusatzsatz = 0.0115;
    r.ANNetto[2] = W(-1234.5);
    const std::string faktor = "Teilmonatsfaktor (4,348)";
    EXPECT_EQ(Tabellenzelle(0, 4, &r), std::string(Ergebniszeilen[0].Tabelle) + " * " + faktor);
    EXPECT_EQ(Tabellenzelle(10, 2, &r), "3. Gesamtbeitrag je SV-Zweig aus 2. / " + faktor);
    EXPECT_EQ(Tabellenzelle(16, 3, &r), "4. Arbeitgeberanteil aus 1. / " + faktor);
    EXPECT_EQ(Tabellenzelle(26, 4, &r), Ergebniszeilen[26].Tabelle);
    EXPECT_EQ(Tabellenzelle(0, 5, &r), "Summe     ");
    EXPECT_EQ(Tabellenzelle(31, 0, &r), "1,15% Zusatzbeitr.");
    EXPECT_EQ(Tabellenzelle(33, 2, &r), "     -1.234,50");
    EXPECT_EQ(Tabellenzelle(33, 5, &r), "     725,00");

    // On paper: the rate and the waiver; a full month names no factor.
    r.Teilmonatsfaktor = W(1);
    r.Zusatzsatz = 0.009;
    EXPECT_EQ(Zeilentitel(31, r, true), "0,90% Zusatzb.");
    EXPECT_EQ(Zeilentitel(29, r, true, true), "RV voll");
    EXPECT_EQ(Zeilentitel(29, r, false, true), "RV");
    EXPECT_EQ(Zeilentitel(16, r, true), "4. Arbeitgeberanteil aus 1.");
}

}  // namespace
}  // namespace lohnwippe
