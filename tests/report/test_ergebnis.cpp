// The 35 result rows of the printed report: captions, labels, amounts,
// fonts and the upward moves of the page printer.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Aufzeichnung.h"
#include "Formate.h"
#include "Testfall.h"

namespace lohnwippe {
namespace {

const std::string Linie98(98, '_');

bool IstAbschnitt(int r) {
    return r == 0 || r == 5 || r == 10 || r == 16 || r == 26;
}
bool IstSumme(int r) {
    return r == 21 || r == 25 || r == 32 || r == 33;
}

// The value lines of the result rows: a label at column 0 and one amount
// at each of the columns 1 to 5. No other line of the report has that form.
std::vector<Druckzeile> Wertzeilen(const Aufzeichnung& a) {
    std::vector<Druckzeile> wert;
    for (const Druckzeile& z : Zeilen(a)) {
        if (z.size() >= 6 && z[0].spalte == 0) {
            bool passt = true;
            for (int c = 1; c <= 5; ++c) {
                passt = passt && z[static_cast<std::size_t>(c)].spalte == c;
            }
            if (passt) {
                wert.push_back(z);
            }
        }
    }
    return wert;
}

// Value rows in print order with their row number.
std::vector<int> Wertzeilennummern() {
    std::vector<int> r;
    for (int i = 0; i < 35; ++i) {
        if (!IstAbschnitt(i)) {
            r.push_back(i);
        }
    }
    return r;
}

// The printed value line of result row `r`.
const Druckzeile& Zeile(const std::vector<Druckzeile>& wertzeilen, int r) {
    const std::vector<int> nummern = Wertzeilennummern();
    for (std::size_t i = 0; i < nummern.size(); ++i) {
        if (nummern[i] == r) {
            return wertzeilen.at(i);
        }
    }
    throw std::out_of_range("no value row");
}

// Expected label and value of each value row, read independently of the
// report's own table.
struct Erwartung {
    std::string label;
    std::function<Waehrung(const Ergebnis&, int)> wert;
};

std::vector<Erwartung> Erwartungen() {
    std::vector<Erwartung> e;
    const char* zweige[] = {"KV", "PV", "RV", "AV"};
    for (int b = 0; b < 4; ++b) {
        e.push_back({zweige[b], [b](const Ergebnis& r, int c) { return r.AE[c][b]; }});
    }
    for (int b = 0; b < 4; ++b) {
        e.push_back({zweige[b], [b](const Ergebnis& r, int c) { return r.AEGekuerzt[c][b]; }});
    }
    for (int b = 0; b < 4; ++b) {
        e.push_back({zweige[b], [b](const Ergebnis& r, int c) { return r.Gesamtbeitrag[c][b]; }});
    }
    e.push_back({"Summe", [](const Ergebnis& r, int c) { return r.GesamtSumme[c]; }});
    for (int b = 0; b < 4; ++b) {
        e.push_back(
            {zweige[b], [b](const Ergebnis& r, int c) { return r.Arbeitgeberanteil[c][b]; }});
    }
    e.push_back({"Summe", [](const Ergebnis& r, int c) { return r.AGSumme[c]; }});
    for (int u = 0; u < 3; ++u) {
        e.push_back({"Umlage U" + std::to_string(u + 1),
                     [u](const Ergebnis& r, int c) { return r.Umlage[c][u]; }});
    }
    e.push_back({"AG-Aufwand", [](const Ergebnis& r, int c) { return r.AGAufwand[c]; }});
    for (int b = 0; b < 4; ++b) {
        e.push_back(
            {zweige[b], [b](const Ergebnis& r, int c) { return r.Arbeitnehmeranteil[c][b]; }});
    }
    e.push_back({"0,90% Zusatzb.", [](const Ergebnis& r, int c) { return r.Zusatzbeitrag[c]; }});
    e.push_back({"Summe", [](const Ergebnis& r, int c) { return r.ANSumme[c]; }});
    e.push_back({"AN-Netto", [](const Ergebnis& r, int c) { return r.ANNetto[c]; }});
    e.push_back({"AN-Ersparnis", [](const Ergebnis& r, int c) { return r.ANErsparnis[c]; }});
    return e;
}

TEST(BerichtErgebnis, JedeWertzeileMitIhremErgebnis) {
    const Berichtsdaten d = Daten();
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(d, a));
    const std::vector<Druckzeile> zeilen = Wertzeilen(a);
    const std::vector<int> nummern = Wertzeilennummern();
    const std::vector<Erwartung> erwartet = Erwartungen();
    ASSERT_EQ(zeilen.size(), 30u);
    ASSERT_EQ(erwartet.size(), 30u);
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        const int r = nummern[i];
        SCOPED_TRACE("row " + std::to_string(r));
        const Druckzeile& z = zeilen[i];
        EXPECT_EQ(z[0].text, erwartet[i].label);
        const std::string vorsatz = IstSumme(r) ? "" : " ";
        for (int c = 1; c <= 5; ++c) {
            EXPECT_EQ(z[static_cast<std::size_t>(c)].text,
                      vorsatz + FormatBetragFeld(erwartet[i].wert(d.Resultat, c)))
                << "column " << c;
        }
        // Rows 1 to 4 only: the assessment-base mark right after the total.
        if (r <= 4) {
            ASSERT_EQ(z.size(), 7u);
            EXPECT_EQ(z[6].text, " (AE)");
            EXPECT_EQ(z[6].aufruf->x, z[5].aufruf->x + Aufzeichnung::Zeichenbreite * 8);
        } else {
            EXPECT_EQ(z.size(), 6u);
        }
        // The row is ended by the empty line at the start of the next one.
        for (const Eintrag& e : z) {
            EXPECT_FALSE(e.aufruf->an);
        }
    }
    // The plain values really differ from row to row in this case, so a
    // swapped line would show.
    EXPECT_NE(d.Resultat.Umlage[5][U1], d.Resultat.Umlage[5][U2]);
    EXPECT_NE(d.Resultat.Gesamtbeitrag[5][PV], d.Resultat.Gesamtbeitrag[5][AV]);
}

TEST(BerichtErgebnis, SchriftenDerWertzeilen) {
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(Daten(), a));
    const std::vector<Druckzeile> zeilen = Wertzeilen(a);
    const std::vector<int> nummern = Wertzeilennummern();
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        const int r = nummern[i];
        for (const Eintrag& e : zeilen[i]) {
            SCOPED_TRACE("row " + std::to_string(r) + " " + e.text);
            EXPECT_EQ(e.aufruf->schrift, "Courier New");
            EXPECT_EQ(e.aufruf->fett, IstSumme(r));
            EXPECT_EQ(e.aufruf->hervorgehoben, IstSumme(r));
            EXPECT_EQ(e.aufruf->punkte, IstSumme(r) ? 12 : 10);
        }
    }
}

TEST(BerichtErgebnis, SummenzeileInGenauerFolge) {
    Aufzeichnung a;
    const Berichtsdaten d = Daten();
    ASSERT_TRUE(BerichtDrucken(d, a));
    const std::size_t i = IndexVon(a, "AN-Netto");
    ASSERT_LT(i, a.aufrufe.size());
    std::vector<std::string> erwartet{
        "Schriftart Courier New", "Drucken[]|",       "XSetzen 700", "Fett 1", "Groesse 12",
        "Hervorhebung 1",         "Drucken[AN-Netto]"};
    for (int c = 1; c <= 5; ++c) {
        erwartet.push_back("XSetzen " + std::to_string(700 + 1800 * c));
        erwartet.push_back("Drucken[" + FormatBetragFeld(d.Resultat.ANNetto[c]) + "]");
    }
    EXPECT_EQ(Folge(a, i - 6, erwartet.size()), erwartet);
}

TEST(BerichtErgebnis, EigeneSummenWerdenNeuGebildet) {
    // Rows 25 and 34 are formed from their parts, not copied from the result.
    Berichtsdaten d = Daten();
    const Ergebnis echt = d.Resultat;
    for (int c = 1; c <= 5; ++c) {
        d.Resultat.AGAufwand[c] = W(-1);
        d.Resultat.ANErsparnis[c] = W(-2);
    }
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(d, a));
    const std::vector<Druckzeile> zeilen = Wertzeilen(a);
    const std::vector<int> nummern = Wertzeilennummern();
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        const int r = nummern[i];
        for (int c = 1; c <= 5; ++c) {
            const std::string text = zeilen[i][static_cast<std::size_t>(c)].text;
            if (r == 25) {
                EXPECT_EQ(text, FormatBetragFeld(echt.AGAufwand[c])) << c;
            } else if (r == 34) {
                EXPECT_EQ(text, " " + FormatBetragFeld(echt.ANErsparnis[c])) << c;
            }
        }
    }
}

TEST(BerichtErgebnis, KinderlosUndVerzicht) {
    Eingaben e = Grundeingaben();
    e.Kinderlos = 1;
    e.RVVerzicht = 1;
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(Daten(e), a));
    const std::vector<Druckzeile> zeilen = Wertzeilen(a);
    EXPECT_EQ(Zeile(zeilen, 29)[0].text, "RV voll");
    EXPECT_EQ(Zeile(zeilen, 31)[0].text, "1,15% Zusatzb.");
    EXPECT_EQ(Zeile(zeilen, 31)[1].text,
              " " + FormatBetragFeld(Daten(e).Resultat.Zusatzbeitrag[1]));
    for (int r : {3, 8, 13, 19}) {
        EXPECT_EQ(Zeile(zeilen, r)[0].text, "RV") << r;
    }
}

TEST(BerichtErgebnis, RVVollFolgtDemKastenImFenster) {
    Berichtsdaten d = Daten();
    d.RVBefreiungAngehakt = true;  // checked, but not calculated yet
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(d, a));
    EXPECT_EQ(Zeile(Wertzeilen(a), 29)[0].text, "RV voll");
}

// The texts printed at column 1 in "Times Roman": the section captions.
std::vector<std::string> Abschnitte(const Aufzeichnung& a) {
    std::vector<std::string> texte;
    for (const Druckzeile& z : Zeilen(a)) {
        for (const Eintrag& e : z) {
            if (e.spalte == 1 && e.aufruf->schrift == "Times Roman") {
                EXPECT_TRUE(e.aufruf->fett) << e.text;
                EXPECT_EQ(e.aufruf->punkte, 10) << e.text;
                EXPECT_FALSE(e.aufruf->hervorgehoben) << e.text;
                texte.push_back(e.text);
            }
        }
    }
    return texte;
}

TEST(BerichtErgebnis, AbschnitteImVollenMonat) {
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(Daten(), a));
    EXPECT_EQ(Abschnitte(a),
              (std::vector<std::string>{
                  Abschnitt0,
                  "2. Entgelt Nr. 1 (AE) gekürzt nach der Formel: F x 400 + (2 - F) x (AE - 400)",
                  Abschnitt10, Abschnitt16, "5. Arbeitnehmeranteil (Nr. 3 minus Nr. 4)"}));
}

TEST(BerichtErgebnis, AbschnitteEinerWocheKommenAusDemFenster) {
    Eingaben e = Grundeingaben(150, 0);
    e.Teilmonatsfaktor = W(4.348);
    Berichtsdaten d = Daten(e);
    d.Abschnitte = {Abschnitt0 + " * Teilmonatsfaktor (4,348)",
                    Abschnitt10 + " / Teilmonatsfaktor (4,348)",
                    Abschnitt16 + " / Teilmonatsfaktor (4,348)"};
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(d, a));
    const std::vector<std::string> texte = Abschnitte(a);
    ASSERT_EQ(texte.size(), 5u);
    EXPECT_EQ(texte[0], d.Abschnitte[0]);
    EXPECT_EQ(texte[2], d.Abschnitte[1]);
    EXPECT_EQ(texte[3], d.Abschnitte[2]);
    // The week's amounts: 150 x 4,348 as the base.
    EXPECT_EQ(Zeile(Wertzeilen(a), 1)[1].text, "  652,20");
}

TEST(BerichtErgebnis, AbschnittNachSummenzeileInGenauerFolge) {
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(Daten(), a));
    const std::size_t i = IndexVon(a, "5. Arbeitnehmeranteil (Nr. 3 minus Nr. 4)");
    ASSERT_LT(i, a.aufrufe.size());
    const double y = a.aufrufe[i].y;
    const std::vector<std::string> erwartet{
        "Schriftart Courier New",
        "Drucken[]|",  // ends row 25
        "Drucken[]|",
        "XSetzen 2500",
        "Groesse 10",
        "Hervorhebung 0",
        "Schriftart Times Roman",
        "Fett 1",
        "Drucken[5. Arbeitnehmeranteil (Nr. 3 minus Nr. 4)]|",
        "Fett 0",
        "Y",
        "YSetzen " + std::to_string(static_cast<int>(y + 240 - 200)),
        "XSetzen 700",
        "Drucken[" + Linie98 + "]|",
        "Drucken[]|",
        "Y",
        "YSetzen " + std::to_string(static_cast<int>(y + 3 * 240 - 400)),
        "Schriftart Courier New",  // row 27
    };
    EXPECT_EQ(Folge(a, i - 8, erwartet.size()), erwartet);
}

// For each section caption: the y of the rule below it, less the y of the
// caption.
std::vector<double> RegelAbstaende(const Aufzeichnung& a) {
    std::vector<double> abstaende;
    const auto& r = a.aufrufe;
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (r[i].art == Aufzeichnung::Art::Drucken && r[i].schrift == "Times Roman" &&
            r[i].x == 2500) {
            std::size_t k = i + 1;
            while (k < r.size() &&
                   !(r[k].art == Aufzeichnung::Art::Drucken && r[k].text == Linie98)) {
                ++k;
            }
            abstaende.push_back(k < r.size() ? r[k].y - r[i].y : -1);
        }
    }
    return abstaende;
}

TEST(BerichtErgebnis, SeitendruckerRuecktZehnmalHoch) {
    // Only the value 1 means a line printer.
    for (std::int16_t schalter : {0, 2}) {
        Berichtsdaten d = Daten();
        d.Zeilendrucker = schalter;
        Aufzeichnung a;
        ASSERT_TRUE(BerichtDrucken(d, a));
        EXPECT_EQ(a.Anzahl(Aufzeichnung::Art::YSetzen), 10u) << schalter;
        EXPECT_EQ(a.Anzahl(Aufzeichnung::Art::Y), 10u) << schalter;
        // Each rule is drawn up against its caption.
        EXPECT_EQ(RegelAbstaende(a), std::vector<double>(5, 240 - 200));
    }
}

TEST(BerichtErgebnis, ZeilendruckerSetztYNie) {
    Berichtsdaten d = Daten();
    d.Zeilendrucker = 1;
    Aufzeichnung a;
    ASSERT_TRUE(BerichtDrucken(d, a));
    EXPECT_EQ(a.Anzahl(Aufzeichnung::Art::YSetzen), 0u);
    EXPECT_EQ(a.Anzahl(Aufzeichnung::Art::Y), 0u);
    EXPECT_EQ(RegelAbstaende(a), std::vector<double>(5, 240));
    // y only grows, one line at a time.
    double y = -1;
    for (const Aufzeichnung::Aufruf& r : a.aufrufe) {
        if (r.art == Aufzeichnung::Art::Drucken) {
            EXPECT_GE(r.y, y);
            y = r.y;
        }
    }
    // Same texts as on a page printer, only without the moves.
    Aufzeichnung seite;
    ASSERT_TRUE(BerichtDrucken(Daten(), seite));
    std::vector<std::string> ohneY;
    for (const Aufzeichnung::Aufruf& r : seite.aufrufe) {
        if (r.art != Aufzeichnung::Art::Y && r.art != Aufzeichnung::Art::YSetzen) {
            ohneY.push_back(Kurz(r));
        }
    }
    EXPECT_EQ(Folge(a, 0, a.aufrufe.size()), ohneY);
}

}  // namespace
}  // namespace lohnwippe
