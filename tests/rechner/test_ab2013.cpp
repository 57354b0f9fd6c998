// Rows of the months from 2013 through `rechnen`: every figure of the
// calculation in its column, the published figures, files mixing years, and
// the rows refused.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "Arbeitsordner.h"
#include "Zeilen.h"
#include "calc/Zahltext.h"
#include "rechner/Mappenschreiber.h"
#include "rechner/Rechnen.h"
#include "rechner/Zonenspalten.h"

namespace lohnwippe::rechner {
namespace {

struct Lauf {
    int Code = -1;
    std::vector<test::Ausgabezeile> Zeilen;
    std::vector<std::string> Meldungen;
};

class Ab2013 : public test::ArbeitsordnerTest {
  protected:
    static Lauf Rechnen(const std::string& eingabe, const std::string& ausgabe = "aus.csv") {
        Rechenauftrag auftrag;
        auftrag.Eingabe = eingabe;
        auftrag.Ausgabe.Ausgabe = ausgabe;
        Lauf lauf;
        lauf.Code =
            RechnenBefehl(auftrag, [&](const std::string& m) { lauf.Meldungen.push_back(m); });
        std::ifstream strom(ausgabe, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(strom), {}};
        lauf.Zeilen = ausgabe.ends_with(".jsonl") ? test::JsonZeilen(text) : test::CsvZeilen(text);
        return lauf;
    }
    static Lauf RechnenText(const std::string& csv) {
        std::ofstream("ein.csv", std::ios::binary) << csv;
        return Rechnen("ein.csv");
    }
};

std::string Betrag(Waehrung w) {
    std::array<char, ZahltextPlatz> text{};
    return {text.data(), BetragText(text.data(), w, 2, Zahlformat::Deutsch)};
}

// Every result column from 2013 as the calculation's figure says, named by
// hand: a figure written into the wrong column or a 0 for a missing one
// shows here.
test::Ausgabezeile Erwartet(const EingabenAb2013& ein, const ErgebnisAb2013& e) {
    test::Ausgabezeile m;
    const std::array<std::string, 4> zweig{"KV", "PV", "RV", "AV"};
    const std::array<std::string, 5> linie{"KV", "ZB", "PV", "RV", "AV"};
    for (int j = ErsteSpalte; j <= SummenSpalte; ++j) {
        const std::string nach = j == SummenSpalte ? "_Summe" : "_" + std::to_string(j);
        const SpalteAb2013& s = e.Spalte[static_cast<std::size_t>(j)];
        const auto setzen = [&](const std::string& name, std::optional<Waehrung> w) {
            m[name + nach] = (j == SummenSpalte || j <= e.Anzahl) && w ? Betrag(*w) : "";
        };
        setzen("AE", s.AE);
        for (const Zweig b : Zweige) {
            setzen("BE_" + zweig[b], s.BE[b]);
            setzen("BE_AN_" + zweig[b], s.BEAN[b]);
        }
        for (std::size_t l = 0; l < linie.size(); ++l) {
            const auto& x = s.Linie[l];
            setzen(linie[l] + "_Gesamt", x ? std::optional(x->Gesamt) : std::nullopt);
            setzen(linie[l] + "_AG", x ? std::optional(x->AG) : std::nullopt);
            setzen(linie[l] + "_AN", x ? std::optional(x->AN) : std::nullopt);
        }
        setzen("KV_NurAN", s.KVNurAN);
        setzen("PV_Zuschlag", s.PVZuschlag);
        setzen("PV_Abschlag", s.PVAbschlag);
        setzen("U1_Betrag", s.Umlage[U1]);
        setzen("U2_Betrag", s.Umlage[U2]);
        setzen("U3_Betrag", s.Umlage[U3]);
        setzen("Umlagen", s.Umlagen);
        setzen("Summe_Gesamt", s.Summe.Gesamt);
        setzen("Summe_AG", s.Summe.AG);
        setzen("Summe_AN", s.Summe.AN);
        setzen("AG_Gesamtkosten", s.AGAufwand);
        setzen("Netto", s.Netto);
    }
    const std::map<Zonenstatus, std::string> status{{Zonenstatus::Keiner, "keiner"},
                                                    {Zonenstatus::Unter, "unter"},
                                                    {Zonenstatus::Ueber, "über"},
                                                    {Zonenstatus::Zone, "Zone"}};
    for (const Zweig b : Zweige) {
        const ZweigAb2013& z = e.Zweig[b];
        const auto betrag = [](std::optional<Waehrung> w) { return w ? Betrag(*w) : ""; };
        m["Status_" + zweig[b]] = status.at(z.Status);
        m["BE_Monat_" + zweig[b]] = betrag(z.BEMonat);
        m["BE_Zeitraum_" + zweig[b]] = betrag(z.BEZeitraum);
        m["BE_AN_Monat_" + zweig[b]] = betrag(z.BEANMonat);
        m["BE_AN_Zeitraum_" + zweig[b]] = betrag(z.BEANZeitraum);
    }
    m["SV_Tage"] = std::to_string(ein.Tage);
    m["Grenze_G"] = Betrag(e.Parameter->G);
    m["Grenze_O"] = Betrag(e.Parameter->O);
    const std::array<std::string, 5> abschlag{"0,000", "0,250", "0,500", "0,750", "1,000"};
    m["Satz_Zuschlag"] = "0,600";  // rows of 2026
    m["Satz_Abschlag"] = abschlag.at(static_cast<std::size_t>(std::clamp(ein.Kinder - 1, 0, 4)));
    return m;
}

EingabenAb2013 Eingabe(int monat, int tage, std::initializer_list<long> cent,
                       std::optional<Satz> zb, Satz u1, Satz u2, bool kinderlos, int kinder) {
    EingabenAb2013 e;
    e.Jahr = 2026;
    e.Monat = monat;
    e.Tage = tage;
    e.Anzahl = static_cast<int>(cent.size());
    int j = 1;
    for (const long c : cent) {
        e.Job[static_cast<std::size_t>(j++)].Entgelt = Waehrung::AusRoh(c * 100);
    }
    e.Zusatzbeitrag = zb;
    e.U1Satz = u1;
    e.U2Satz = u2;
    e.Kinderlos = kinderlos;
    e.Kinder = kinder;
    e.Sachsen = true;
    return e;
}

// A payroll clerk's sheet of 2026 in Saxony: four employments with some
// branches off, partial months, children, the childless, pay at G and above
// O, funds as free text.
TEST_F(Ab2013, JedeZahlDesBogensStehtInIhrerSpalte) {
    std::ofstream("bogen.csv", std::ios::binary)
        << "Personalnummer;Jahr;Monat;Kasse;Teilmonat;Entgelt_1;Entgelt_2;Entgelt_3;Entgelt_4;"
           "AV_3;KG_2;U1_4;Sachsen;Kinderlos;Zusatzbeitrag;U1_Satz;U2_Satz;Kinder\n"
           "101;2026;1;AOK Plus;;900,00;250,00;180,50;75,25;0;0;0;1;0;2,95;2,8;0,65;3\n"
           "102;2026;Februar;IKK classic;für 20 Tage;700,00;300,00;;;;;;1;0;;1,6;0,45;1\n"
           "103;2026;3;;für 2 Wochen;400,00;;;;;;;1;1;3.1;;;\n"
           "104;2026;12;\"Kasse \"\"Nord\"\"; Bezirk\";;2.500,00;;;;;;;1;0;2,9;2;0,5;5\n"
           "105;2026;7;x;;603,00;;;;;;;1;0;;;;2\n";
    std::vector<EingabenAb2013> ein{
        Eingabe(1, 30, {90000, 25000, 18050, 7525}, P("2.95"), P("2.8"), P("0.65"), false, 3),
        Eingabe(2, 20, {70000, 30000}, std::nullopt, P("1.6"), P("0.45"), false, 1),
        Eingabe(3, 14, {40000}, P("3.1"), {}, {}, true, 0),
        Eingabe(12, 30, {250000}, P("2.9"), P("2"), P("0.5"), false, 5),
        Eingabe(7, 30, {60300}, std::nullopt, {}, {}, false, 2)};
    ein[0].Job[3].Zweig[AV] = false;
    ein[0].Job[2].OhneKrankengeld = true;
    ein[0].Job[4].Umlage[U1] = false;

    const Lauf csv = Rechnen("bogen.csv");
    ASSERT_EQ(csv.Meldungen, std::vector<std::string>{});
    ASSERT_EQ(csv.Zeilen.size(), ein.size());
    for (std::size_t i = 0; i < ein.size(); ++i) {
        SCOPED_TRACE(i);
        const auto rechnung = BerechnenAb2013(ein[i]);
        ASSERT_TRUE(rechnung.Ergebnis) << rechnung.Meldung;
        const test::Ausgabezeile erwartet = Erwartet(ein[i], *rechnung.Ergebnis);
        EXPECT_EQ(erwartet.size(), Zonenspalten().size());
        for (const auto& [spalte, wert] : erwartet) {
            EXPECT_EQ(csv.Zeilen[i].at(spalte), wert) << spalte;
        }
        // No figure of 2009-2012 for a row of 2026.
        EXPECT_EQ(csv.Zeilen[i].at("GesamtSumme_Summe"), "");
        EXPECT_EQ(csv.Zeilen[i].at("Teilmonatsfaktor"), "");
    }
    EXPECT_EQ(csv.Zeilen[0].at("Satz_KV_2"), "14,00");
    EXPECT_EQ(csv.Zeilen[1].at("Zusatzbeitrag"), "2,900");  // the year's average
    EXPECT_EQ(csv.Zeilen[2].at("Zusatzbeitrag"), "3,100");
    EXPECT_EQ(csv.Zeilen[3].at("Kasse"), "Kasse \"Nord\"; Bezirk");
    EXPECT_EQ(csv.Zeilen[3].at("Status_RV"), "über");
    EXPECT_NE(csv.Zeilen[3].at("Warnung").find("über der Obergrenze (2.000,00 €)"),
              std::string::npos);
    EXPECT_EQ(csv.Zeilen[4].at("Status_KV"), "unter");

    // The same sheet as a spreadsheet file, written and read again.
    ASSERT_EQ(Rechnen("bogen.csv", "bogen.xlsx").Code, 0);
    const Lauf xlsx = Rechnen("bogen.xlsx", "wieder.csv");
    EXPECT_EQ(xlsx.Meldungen, std::vector<std::string>{});
    EXPECT_EQ(xlsx.Zeilen, csv.Zeilen);
}

// Published figures (2022-11, one employment of 521 €, fund rate 1,3; and
// two employments held for 20 days of the month), through the program.
TEST_F(Ab2013, VeroeffentlichteBeispieleAufDenCent) {
    const Lauf lauf = RechnenText(
        "Jahr;Monat;Teilmonat;Entgelt_1;Entgelt_2;Zusatzbeitrag\n"
        "2022;11;;521;;1,3\n"
        "2022;11;für 20 Tage;240;160;1,3\n");
    ASSERT_EQ(lauf.Zeilen.size(), 2u);
    const std::map<std::string, std::string> beispiel3{
        {"BE_RV_1", "365,61"},      {"BE_AN_RV_1", "1,48"},       {"KV_Gesamt_1", "53,38"},
        {"KV_AN_1", "0,11"},        {"KV_AG_1", "53,27"},         {"ZB_Gesamt_1", "4,76"},
        {"ZB_AN_1", "0,01"},        {"ZB_AG_1", "4,75"},          {"PV_Gesamt_1", "11,16"},
        {"PV_AN_1", "0,02"},        {"PV_AG_1", "11,14"},         {"RV_Gesamt_1", "68,00"},
        {"RV_AN_1", "0,14"},        {"RV_AG_1", "67,86"},         {"AV_Gesamt_1", "8,78"},
        {"AV_AN_1", "0,02"},        {"AV_AG_1", "8,76"},          {"Summe_Gesamt_Summe", "146,08"},
        {"Summe_AN_Summe", "0,30"}, {"Summe_AG_Summe", "145,78"}, {"Netto_1", "520,70"}};
    for (const auto& [spalte, wert] : beispiel3) {
        EXPECT_EQ(lauf.Zeilen[0].at(spalte), wert) << spalte;
    }
    const std::map<std::string, std::string> beispiel4{{"BE_Monat_KV", "455,99"},
                                                       {"BE_AN_Monat_KV", "118,52"},
                                                       {"BE_Zeitraum_KV", "303,99"},
                                                       {"BE_AN_Zeitraum_KV", "79,01"},
                                                       {"BE_KV_1", "182,39"},
                                                       {"BE_AN_KV_1", "47,41"},
                                                       {"SV_Tage", "20"}};
    for (const auto& [spalte, wert] : beispiel4) {
        EXPECT_EQ(lauf.Zeilen[1].at(spalte), wert) << spalte;
    }
}

// A file of 2012, 2020 and 2019 rows: each row keeps its own law, the 2012
// figures are those of a file of 2012 alone, JSON lines alike.
TEST_F(Ab2013, JahreGemischtJedeZeileNachIhremRecht) {
    const std::string kopf = "Jahr;Monat;Entgelt_1;RV-Verzicht;Kinderlos\n";
    const std::string zeile2012 = "2012;5;600,00;1;1\n";
    const Lauf allein = RechnenText(kopf + zeile2012);
    std::ofstream("gemischt.csv", std::ios::binary) << kopf << "2020;5;600,00;1;1\n"
                                                    << zeile2012 << "2019;6;600,00;1;0\n";
    const Lauf lauf = Rechnen("gemischt.csv");
    ASSERT_EQ(lauf.Zeilen.size(), 3u);
    EXPECT_EQ(lauf.Zeilen[1], allein.Zeilen.at(0));
    for (const std::string& spalte : Zonenspalten()) {
        EXPECT_EQ(lauf.Zeilen[1].at(spalte), "") << spalte;
    }
    EXPECT_EQ(lauf.Zeilen[1].at("Zusatzbeitrag"), "");
    EXPECT_EQ(lauf.Zeilen[0].at("AGSumme_Summe"), "");
    EXPECT_EQ(lauf.Zeilen[0].at("Status_RV"), "Zone");
    EXPECT_EQ(lauf.Zeilen[0].at("Warnung"),
              "RV-Verzicht ist seit Juli 2019 nicht mehr möglich und bleibt unberücksichtigt");
    EXPECT_EQ(lauf.Zeilen[0].at("PV_Zuschlag_1"), "1,27");  // 0,25 % of BE 509,09
    EXPECT_EQ(lauf.Zeilen[2].at("Status_RV"), "Verzicht");
    EXPECT_EQ(lauf.Zeilen[2].at("Status_KV"), "Zone");
    EXPECT_EQ(lauf.Zeilen[2].at("Warnung"), "");

    const Lauf json = Rechnen("gemischt.csv", "aus.jsonl");
    ASSERT_EQ(json.Zeilen.size(), 3u);
    EXPECT_EQ(json.Zeilen[0].at("RV_Gesamt_1"), "94.70");  // 2 × r2(509,09 × 9,3 %)
    EXPECT_EQ(lauf.Zeilen[0].at("RV_Gesamt_1"), "94,70");
    EXPECT_EQ(json.Zeilen[1].at("RV_Gesamt_1"), "");
}

TEST_F(Ab2013, AbgewieseneZeilenMitZelleUndGrund) {
    const Lauf lauf = RechnenText(
        "Jahr;Monat;Entgelt_1;Kinderlos;Zusatzbeitrag;U2_Satz;Kinder\n"
        "2012;1;600;;1,2;;\n"
        "2012;1;600;;;;2\n"
        "2026;1;600;1;;;2\n"
        "2027;1;600;;;;\n"
        "2026;1;600;;2,9455;;\n"
        "2026;1;600;;;-0,5;\n"
        "2026;1;600;;;;zwei\n");
    EXPECT_EQ(lauf.Code, 1);
    EXPECT_TRUE(lauf.Zeilen.empty());
    const std::vector<std::string> erwartet{
        "Zeile 2, Spalte „Zusatzbeitrag“: gilt erst ab 2013; bis 2012 kommen die Sätze",
        "Zeile 3, Spalte „Kinder“: gilt erst ab 2013; bis 2012 zählt nur der Schalter",
        "Zeile 4, Spalte „Kinder“: Kinderlos und 2 Kinder schließen sich aus.",
        "Zeile 5, Spalte „Jahr“: Die Werte für 01/2027 sind noch nicht bekannt (bekannt bis",
        "Zeile 6, Spalte „Zusatzbeitrag“: „2,9455“ hat mehr als drei Nachkommastellen",
        "Zeile 7, Spalte „U2_Satz“: „-0,5“: Sätze sind nie negativ",
        "Zeile 8, Spalte „Kinder“: „zwei“ ist keine Zahl von Kindern (0 bis 99)"};
    ASSERT_EQ(lauf.Meldungen.size(), erwartet.size());
    for (std::size_t i = 0; i < erwartet.size(); ++i) {
        EXPECT_TRUE(lauf.Meldungen[i].starts_with("ein.csv, " + erwartet[i])) << lauf.Meldungen[i];
    }
}

// A sheet keeps a rate typed as "2,9 %" as 0.029 in a percentage cell: it is
// read as the 2,9 % the sheet shows, never as 0,029 %; a percentage cell in
// an amount column is refused rather than read a hundredth of what it shows.
TEST_F(Ab2013, ProzentzellenWieDasBlattSieZeigt) {
    {
        Mappenschreiber mappe("prozent.xlsx", "prozent.xlsx", [](const std::string&) {});
        mappe.Blatt("Fälle", {"Jahr", "Monat", "Entgelt_1", "Zusatzbeitrag", "U1_Satz"});
        for (const bool entgeltInProzent : {false, true}) {
            mappe.Zahl(2026, "");
            mappe.Zahl(1, "");
            mappe.Zahl(entgeltInProzent ? 9.0 : 900.0, entgeltInProzent ? "0%" : "");
            mappe.Zahl(0.031, "0.0%");
            mappe.Text("1,5 %");
            mappe.Zeilenende();
        }
        mappe.Schliessen();
    }
    // An ending in capitals names the format as well.
    ASSERT_EQ(Rechnen("prozent.xlsx", "Aus Gabe.XLSX").Code, 1);
    std::ifstream mappe("Aus Gabe.XLSX", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(mappe), {}).substr(0, 2), "PK");
    const Lauf lauf = Rechnen("prozent.xlsx");
    ASSERT_EQ(lauf.Zeilen.size(), 1u);
    EXPECT_EQ(lauf.Zeilen[0].at("Zusatzbeitrag"), "3,100");
    EXPECT_EQ(lauf.Zeilen[0].at("U1_Satz"), "1,500");
    ASSERT_EQ(lauf.Meldungen.size(), 1u);
    EXPECT_TRUE(lauf.Meldungen[0].starts_with(
        "prozent.xlsx, Zeile 3, Spalte „Entgelt_1“ (C3): „900 %“ ist kein Betrag"))
        << lauf.Meldungen[0];
}

}  // namespace
}  // namespace lohnwippe::rechner
