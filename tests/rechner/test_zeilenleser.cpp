// The row reader through its whole road in memory: CSV or JSON text in,
// messages and output rows out. Each table row is one input row after a
// fixed header, and what must come of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "Zeilen.h"
#include "rechner/Eingabe.h"
#include "rechner/Rechnen.h"
#include "rechner/Spalten.h"

namespace lohnwippe::rechner {
namespace {

struct Lauf {
    std::string Text;
    std::vector<std::string> Meldungen;
    std::vector<test::Ausgabezeile> Zeilen;
};

Lauf Rechnen(const std::string& eingabe, Zahlformat dialekt = Zahlformat::Deutsch) {
    TextStrom strom(eingabe);
    const auto quelle =
        eingabe.starts_with('{') ? JsonQuelle(strom) : CsvQuelle(strom, "", dialekt);
    std::string text;
    Zeilenschreiber schreiber([&](std::string_view daten) { text += daten; }, Ausgabeformat::Csv,
                              Rechenspalten(quelle->Mitgefuehrt()), false, dialekt);
    schreiber.Kopf();
    Lauf lauf;
    FaelleRechnen(*quelle, schreiber, StandardUmlagen(), "e",
                  [&](const std::string& meldung) { lauf.Meldungen.push_back(meldung); });
    schreiber.Leeren();
    lauf.Zeilen = test::CsvZeilen(text, dialekt == Zahlformat::Englisch ? ',' : ';');
    lauf.Text = std::move(text);
    return lauf;
}

// A stream that hands out its text a few bytes at a time, as a pipe may.
class Tropfen final : public Eingabestrom {
  public:
    explicit Tropfen(std::string text) : text_(std::move(text)) {}
    std::size_t Lesen(char* ziel, std::size_t anzahl) override {
        const std::size_t n = std::min({anzahl, text_.size() - pos_, ++runde_ % 7});
        text_.copy(ziel, n, pos_);
        pos_ += n;
        return n == 0 && pos_ < text_.size() ? Lesen(ziel, anzahl) : n;
    }

  private:
    std::string text_;
    std::size_t pos_ = 0;
    std::size_t runde_ = 0;
};

const std::string Kopf = "Jahr;Monat;Kasse;Teilmonat;Entgelt_1;KV_2;RV-Verzicht\n";

struct Fall {
    std::string Zeile;
    // Beginning of the message, or empty when the row is to be calculated.
    std::string Meldung;
    std::vector<std::pair<std::string, std::string>> Werte{};
};

TEST(Zeilenleser, JedeZeileWirdGerechnetOderMitSpalteUndGrundAbgewiesen) {
    const Fall faelle[] = {
        // What is left out or empty takes the value of a new case.
        {"2012;1;AOK Bayern;;600;;",
         "",
         {{"Kasse", "AOK Bayern"},
          {"Teilmonat", "für vollen Monat"},
          {"Entgelt_1", "600,00"},
          {"KV_2", "1"},
          {"PV_2", "1"},
          {"RV-Verzicht", "0"},
          {"Sachsen", "0"},
          {"AEGekuerzt_KV_1", "549,82"},
          {"Zusatzbeitrag_1_genau", "4,9484"},
          {"Warnung", "0"}}},
        {"2012;JAN;2;für 1 Woche;1.234,50;0;1",
         "",
         {{"Monat", "1"},
          {"Kasse", "AOK Bayern"},
          {"Teilmonat", "für 1 Woche"},
          {"Entgelt_1", "1.234,50"},
          {"KV_2", "0"},
          {"RV-Verzicht", "1"},
          {"Teilmonatsfaktor", "4,348"},
          {"AE_KV_1_genau", "5.367,6060"}}},
        {"2009;dez;22;35; 000551,7 ;2;2",
         "",
         {{"Monat", "12"},
          {"Kasse", "AOK BBK"},
          {"Teilmonat", "für 30 Tage"},
          {"Entgelt_1", "551,70"},
          {"KV_2", "2"},
          {"RV-Verzicht", "2"}}},
        {"\"2011\";\"3\";\"AOK Bad-Württ.\";\"\";\"5,\";;",
         "",
         {{"Kasse", "AOK Bad-Württ."}, {"Entgelt_1", "5,00"}, {"Warnung", "1"}}},
        {"2010;12;;;,5;;", "", {{"Kasse", "AOK Bad-Württ."}, {"Entgelt_1", "0,50"}}},
        {"2012;1;1;;99.999.999,99;;", "", {{"Entgelt_1", "99.999.999,99"}}},

        {"2008;1;1;;1;;",
         "e, Zeile 2, Spalte „Jahr“: Jahr 2008 liegt nicht zwischen 2009 und 2026"},
        {";1;1;;1;;", "e, Zeile 2, Spalte „Jahr“: Wert fehlt"},
        {"20x2;1;1;;1;;", "e, Zeile 2, Spalte „Jahr“: „20x2“ ist keine Jahreszahl"},
        {"2012;0;1;;1;;", "e, Zeile 2, Spalte „Monat“: Monat 0 liegt nicht zwischen 1 und 12"},
        {"2012;Januaro;1;;1;;", "e, Zeile 2, Spalte „Monat“: „Januaro“ ist kein Monat"},
        {"2012;MÄR.;1;;450,50 €;;", "", {{"Monat", "3"}, {"Entgelt_1", "450,50"}}},
        {"2012;märz;1;;EUR1.450;;",
         "e, Zeile 2, Spalte „Entgelt_1“: „EUR1.450“ kann 1.450,00 € oder 1,45 € sein: keine "
         "andere Zelle der Spalte zeigt die Schreibweise"},
        {"2012;Sept;1;;€\u00A0450,5;;", "", {{"Monat", "9"}, {"Entgelt_1", "450,50"}}},
        {"2012;Mai;1;;450 € €;;", "e, Zeile 2, Spalte „Entgelt_1“: „450 € €“ ist kein Betrag"},
        {"2012;1;AOK Bayer;;1;;",
         "e, Zeile 2, Spalte „Kasse“: Kasse „AOK Bayer“ steht nicht in der Kassenliste"},
        {"2012;1;0;;1;;", "e, Zeile 2, Spalte „Kasse“: Kasse 0 liegt nicht zwischen 1 und 22"},
        {"2012;1;1;für 31 Tage;1;;", "e, Zeile 2, Spalte „Teilmonat“: Teilmonat „für 31 Tage“"},
        {"2012;1;1;36;1;;", "e, Zeile 2, Spalte „Teilmonat“: Teilmonat 36 liegt nicht"},
        {"2012;1;1;;12,555;;",
         "e, Zeile 2, Spalte „Entgelt_1“: „12,555“ kann 12,56 € oder 12.555,00"},
        {"2012;1;1;;12,5555;;", "e, Zeile 2, Spalte „Entgelt_1“: „12,5555“ hat mehr als zwei"},
        {"2012;1;1;;551.70;;", "", {{"Entgelt_1", "551,70"}}},
        {"2012;1;1;;1.2345.678,00;;",
         "e, Zeile 2, Spalte „Entgelt_1“: „1.2345.678,00“: ein Punkt trennt nur"},
        {"2012;1;1;;1234.567,00;;",
         "e, Zeile 2, Spalte „Entgelt_1“: „1234.567,00“ ist kein Betrag"},
        {"2012;1;1;;-5.000;;", "e, Zeile 2, Spalte „Entgelt_1“: „-5.000“: Entgelte sind nie"},
        {"2012;1;1;;zwölf\x7F;;", "e, Zeile 2, Spalte „Entgelt_1“: „zwölf?“ ist kein Betrag"},
        {"2012;1;1;;100.000.000,00;;",
         "e, Zeile 2, Spalte „Entgelt_1“: „100.000.000,00“ ist größer"},
        {"2012;1;1;;184467440737095516160;;", "e, Zeile 2, Spalte „Entgelt_1“: „1844674407370955"},
        {"2012;1;1;;1;3;",
         "e, Zeile 2, Spalte „KV_2“: „3“ ist kein Schalterwert (0, 1, 2, WAHR oder FALSCH)"},
        {"2012;1;1;;1;ja;", "e, Zeile 2, Spalte „KV_2“: „ja“ ist kein Schalterwert"},
        {"2012;1;1", "e, Zeile 2, Spalte „Teilmonat“: die Zeile endet nach 3 Feldern"},
        {"2012;1;1;;1;1;0;5", "e, Zeile 2, Spalte „Feld 8“: die Zeile hat 8 Felder"},
        {"2012;1;1;;1;1;0;;", ""},  // empty fields behind the header's count
        {"2012;1;1;;\"1\"2;;", "e, Zeile 2, Spalte „Entgelt_1“: Anführungszeichen an falscher"},
        {"2012;1;1;;1\"2\";;", "e, Zeile 2, Spalte „Entgelt_1“: Anführungszeichen an falscher"},
        {"2012;1;1;;\"1;;", "e, Zeile 2, Spalte „Entgelt_1“: Anführungszeichen nicht geschlossen"},
        {"2012;1;AOK Bad-W\xFCrtt.;;1;;",
         "e, Zeile 2, Spalte „Kasse“: kein gültiges UTF-8 (Byte 10"},
        {"2012;1;1;;\xE2\x82;;", "e, Zeile 2, Spalte „Entgelt_1“: kein gültiges UTF-8 (Byte 1"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.Zeile);
        const Lauf lauf = Rechnen(Kopf + fall.Zeile + "\n");
        if (!fall.Meldung.empty()) {
            ASSERT_EQ(lauf.Meldungen.size(), 1u);
            EXPECT_EQ(lauf.Meldungen[0].substr(0, fall.Meldung.size()), fall.Meldung)
                << lauf.Meldungen[0];
            EXPECT_TRUE(lauf.Zeilen.empty());
            continue;
        }
        ASSERT_EQ(lauf.Meldungen, std::vector<std::string>{});
        ASSERT_EQ(lauf.Zeilen.size(), 1u);
        EXPECT_EQ(lauf.Zeilen[0].at("#Felder"), std::to_string(Rechenspalten().size()));
        for (const auto& [spalte, wert] : fall.Werte) {
            EXPECT_EQ(lauf.Zeilen[0].at(spalte), wert) << spalte;
        }
    }
}

TEST(Zeilenleser, JsonZeilen) {
    const std::string anfang = R"({"Jahr":"2012","Monat":1,)";
    const Fall faelle[] = {
        // Numbers as written, never through a binary fraction.
        {anfang + R"("Kasse":"AOK Bayern","Entgelt_1":551.7,"KV_2":0,"Sachsen":"1"})",
         "",
         {{"Entgelt_1", "551,70"}, {"KV_2", "0"}, {"Sachsen", "1"}, {"Kasse", "AOK Bayern"}}},
        // A literal stands for no value of any column.
        {anfang + R"("Entgelt_1":true})", "e, Zeile 1, Spalte „Entgelt_1“: „true“ ist kein Wert"},
        {anfang + R"("KV_2":false})", "e, Zeile 1, Spalte „KV_2“: „false“ ist kein Wert"},
        {anfang + R"("Teilmonat":null})", "e, Zeile 1, Spalte „Teilmonat“: „null“ ist kein Wert"},
        {anfang + R"("Entgelt_1":"1234.50","AE_KV_1":"9"})", "", {{"Entgelt_1", "1.234,50"}}},
        {anfang + R"("Entgelt_1":"551,70"})", "e, Zeile 1, Spalte „Entgelt_1“: „551,70“ ist kein"},
        {anfang + R"("Entgelt_1":5.517e2})", "e, Zeile 1, Spalte „Entgelt_1“: „5.517e2“ ist kein"},
        {R"({"Jahr":"2012"})", "e, Zeile 1, Spalte „Monat“: Spalte fehlt"},
        {anfang + R"("Kasse":{"Name":"x"}})", "e, Zeile 1, Spalte „Kasse“: nur Texte und Zahlen"},
        {anfang + R"("Jahr":"2011"})", "e, Zeile 1, Spalte „Jahr“: steht zweimal in der Zeile"},
        {anfang + R"("Gehalt":5.50})", "", {{"Gehalt", "5.50"}}},
        {R"({"Jahr":"2012",)", "e, Zeile 1: kein gültiges JSON"},
        {anfang + "\"Kasse\":\"\x80\"}", "e, Zeile 1: kein gültiges UTF-8 (Byte 35 der Zeile)"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.Zeile);
        const Lauf lauf = Rechnen(fall.Zeile + "\n");
        if (!fall.Meldung.empty()) {
            ASSERT_EQ(lauf.Meldungen.size(), 1u);
            EXPECT_EQ(lauf.Meldungen[0].substr(0, fall.Meldung.size()), fall.Meldung)
                << lauf.Meldungen[0];
            continue;
        }
        ASSERT_EQ(lauf.Meldungen, std::vector<std::string>{});
        ASSERT_EQ(lauf.Zeilen.size(), 1u);
        for (const auto& [spalte, wert] : fall.Werte) {
            EXPECT_EQ(lauf.Zeilen[0].at(spalte), wert) << spalte;
        }
    }
    // A line that is no object does not keep the next from being read.
    const Lauf lauf =
        Rechnen("{\"Jahr\":2012,\"Monat\":1}\n[1,2]\n\n{\"Jahr\":2012,\"Monat\":2}\n");
    EXPECT_EQ(lauf.Zeilen.size(), 2u);
    ASSERT_EQ(lauf.Meldungen.size(), 1u);
    EXPECT_EQ(lauf.Meldungen[0],
              "e, Zeile 2: jede Zeile ist ein JSON-Objekt mit den Spalten als "
              "Schlüsseln");
}

TEST(Zeilenleser, ZeilennummernZaehlenDieZeilenDerTabelle) {
    // Byte-order mark, CR, CRLF, blank lines and rows of empty fields; a
    // quoted field over several lines (a note) is one row, as in the sheet.
    const Lauf lauf = Rechnen(
        "\xEF\xBB\xBFJahr;Monat;\"Ent\ngelt\";Entgelt_1\r\r2012;1;\"eins\r\nzwei\n\n\";600\r;;;\r\n"
        "2008;1;;1\r2012;2;;\"1\"\n2012;3;\"offen;1\n2012;4;;1\n");
    ASSERT_EQ(lauf.Zeilen.size(), 2u);
    EXPECT_EQ(lauf.Zeilen[0].at("Ent\ngelt"), "eins\nzwei\n\n");
    EXPECT_EQ(lauf.Zeilen[1].at("Monat"), "2");
    ASSERT_EQ(lauf.Meldungen.size(), 2u);
    EXPECT_TRUE(lauf.Meldungen[0].starts_with("e, Zeile 5, Spalte „Jahr“: ")) << lauf.Meldungen[0];
    EXPECT_EQ(lauf.Meldungen[1],
              "e, Zeile 7, Spalte „Ent?gelt“: Anführungszeichen nicht geschlossen");
}

TEST(Zeilenleser, MehrdeutigeBetraegeNachDenAnderenZellenDerSpalte) {
    // "1.005" waits for a later row to show the notation of its column;
    // one column German, the other English, a third never decided.
    const Lauf lauf = Rechnen(
        "Jahr;Monat;Entgelt_1;Entgelt_2;Entgelt_3\n"
        "2012;1;1.005;;\n2012;2;;1,234.50;476.245\n2012;3;600,50;600.5;\n"
        "2012;4;600.5;;\n2012;5;;2.000.000;\n");
    ASSERT_EQ(lauf.Zeilen.size(), 2u);
    EXPECT_EQ(lauf.Zeilen[0].at("Monat"), "1");
    EXPECT_EQ(lauf.Zeilen[0].at("Entgelt_1"), "1.005,00");
    EXPECT_EQ(lauf.Zeilen[1].at("Monat"), "3");
    EXPECT_EQ(lauf.Zeilen[1].at("Entgelt_1"), "600,50");
    EXPECT_EQ(lauf.Zeilen[1].at("Entgelt_2"), "600,50");
    EXPECT_EQ(lauf.Meldungen,
              (std::vector<std::string>{
                  "e, Zeile 3, Spalte „Entgelt_3“: „476.245“ kann 476.245,00 € oder 476,25 € "
                  "sein: keine andere Zelle der Spalte zeigt die Schreibweise (deutsch 1.234,50 "
                  "oder englisch 1,234.50)",
                  "e, Zeile 5, Spalte „Entgelt_1“: „600.5“: ein Punkt trennt nur Tausender (drei "
                  "Ziffern); das Dezimalzeichen ist das Komma",
                  "e, Zeile 6, Spalte „Entgelt_2“: „2.000.000“ ist kein Betrag (Beispiel: "
                  "1234.50)"}));
    // The English dialect: commas between fields, a decimal point in and out.
    // Runs of empty cells are separated by commas too.
    const Lauf englisch =
        Rechnen("Jahr,Monat,Entgelt_1\n2012,1,\"1,234.5\"\n2012,2,\"1,005\"\n2020,3,600\n",
                Zahlformat::Englisch);
    ASSERT_EQ(englisch.Zeilen.size(), 3u);
    EXPECT_EQ(englisch.Zeilen[0].at("Entgelt_1"), "1234.50");
    EXPECT_EQ(englisch.Zeilen[1].at("Entgelt_1"), "1005.00");
    EXPECT_EQ(englisch.Zeilen[1].at("AEGekuerzt_KV_1"), "1005.00");
    EXPECT_EQ(englisch.Zeilen[2].at("AE_Summe"), "600.00");
    for (const auto& zeile : englisch.Zeilen) {
        EXPECT_EQ(zeile.at("#Felder"), std::to_string(Rechenspalten().size()));
    }
}

TEST(Zeilenleser, MehrdeutigeBetraegeWartenBegrenzt) {
    // Rows wait up to a limit of memory; then their ambiguous amounts are
    // refused, and the rows after them wait anew.
    std::string text = "Jahr;Monat;Entgelt_1\n";
    constexpr long Anzahl = 300'000;
    for (long i = 0; i < Anzahl; ++i) {
        text += "2012;1;1.005\n";
    }
    text += "2012;2;600,50\n";
    TextStrom strom(text);
    const auto quelle = CsvQuelle(strom);
    Eingabezeile zeile;
    std::vector<Waehrung> gelesen;
    long abgewiesen = 0;
    while (quelle->Naechste(zeile)) {
        const auto fall = ZeileLesen(zeile.Felder, quelle->Formate());
        if (const auto* z = std::get_if<Fallzeile>(&fall)) {
            gelesen.push_back(z->Fall.Jobs[1].Entgelt);  // element 0 unused
        } else {
            EXPECT_EQ(zeile.Nummer, abgewiesen + 2);
            ++abgewiesen;
        }
    }
    EXPECT_GT(abgewiesen, 100'000);
    ASSERT_EQ(static_cast<long>(gelesen.size()), Anzahl + 1 - abgewiesen);
    EXPECT_EQ(gelesen.front(), Waehrung::AusGanzzahl(1005));
    EXPECT_EQ(gelesen.back(), Waehrung::AusRoh(6'005'000));
}

TEST(Zeilenleser, KopfzeilenDieNichtsLesenLassen) {
    const std::pair<std::string, std::string> faelle[] = {
        {"\n", "Die Eingabe ist leer"},
        {"Jahr,Monat,Entgelt_1",
         "Kopfzeile (Zeile 1): Spalte „Jahr“ fehlt – Trennzeichen ist das Semikolon (;)"},
        {"Jahr;Monat;Jahr", "Kopfzeile (Zeile 1): Spalte „Jahr“ steht zweimal darin"},
        {"Jahr;\"Mo\nnat\";Entgelt_1", "Kopfzeile (Zeile 1): Spalte „Monat“ fehlt"},
        {"\n\nMonat;Entgelt_1", "Kopfzeile (Zeile 3): Spalte „Jahr“ fehlt"},
        {"Jahr;\"Monat", "Kopfzeile (Zeile 1): Anführungszeichen nicht geschlossen"},
    };
    for (const auto& [kopf, meldung] : faelle) {
        SCOPED_TRACE(kopf);
        try {
            Rechnen(kopf.ends_with('\n') ? kopf : kopf + "\n2012;1;1\n");
            ADD_FAILURE() << "kein Abbruch";
        } catch (const Abbruch& abbruch) {
            EXPECT_EQ(std::string(abbruch.what()).substr(0, meldung.size()), meldung)
                << abbruch.what();
        }
    }
    // Columns of the output are passed over, so an output can be read again.
    EXPECT_EQ(Rechnen("Jahr;Monat;AE_KV_1;Fall_Nr;;\n2012;1;9;9;;\n").Zeilen.size(), 1u);
}

TEST(Zeilenleser, UnbekannteSpaltenGehenUnveraendertVorneMit) {
    // A name in another case or with blanks around is the column; one that
    // only looks like one is carried, and said.
    const Lauf csv = Rechnen(
        "Nr;\" jahr\";Notiz;MONAT;\"=1+1\";\"a;b\";\"Entgelt 1\";\"entgelt_2 \"\n"
        "007;2012;\" a;b \";1;;;5;600,50\n;2012;;2;;;;\n");
    ASSERT_EQ(csv.Zeilen.size(), 2u);
    EXPECT_TRUE(csv.Text.starts_with("Nr;Notiz;\"'=1+1\";\"a;b\";Entgelt 1;Jahr;Monat;Kasse;"))
        << csv.Text.substr(0, 60);
    EXPECT_EQ(csv.Zeilen[0].at("Entgelt_2"), "600,50");
    EXPECT_EQ(csv.Meldungen, std::vector<std::string>{"e: Spalte „Entgelt 1“ ist keine "
                                                      "Eingabespalte und wird nur mitgeführt – "
                                                      "gemeint ist wohl „Entgelt_1“"});
    EXPECT_EQ(csv.Zeilen[0].at("Nr"), "007");
    EXPECT_EQ(csv.Zeilen[0].at("Notiz"), " a;b ");
    EXPECT_EQ(csv.Zeilen[1].at("Nr"), "");
    // JSON lines: the first line's keys decide; a row may lack them.
    const Lauf json = Rechnen(
        "{\"Jahr\":2012,\"Monat\":1,\"Nr\":7}\n{\"Jahr\":2012,\"Monat\":2}\n"
        "{\"Jahr\":2012,\"Monat\":3,\"Neu\":1}\n{\"Nr\":1,\"Nr\":2,\"Jahr\":2012,\"Monat\":4}\n"
        "{\"Jahr\":2012,\"Monat\":5,\" ENTGELT_1\":\"7\"}\n");
    ASSERT_EQ(json.Zeilen.size(), 3u);
    EXPECT_EQ(json.Zeilen[0].at("Nr"), "7");
    EXPECT_EQ(json.Zeilen[2].at("Entgelt_1"), "7,00");
    EXPECT_EQ(json.Zeilen[1].at("Nr"), "");
    ASSERT_EQ(json.Meldungen.size(), 2u);
    EXPECT_TRUE(json.Meldungen[0].starts_with("e, Zeile 3, Spalte „Neu“: unbekannte Spalte, die "))
        << json.Meldungen[0];
    EXPECT_EQ(json.Meldungen[1], "e, Zeile 4, Spalte „Nr“: steht zweimal in der Zeile");
}

TEST(Zeichensatzstrom, DasErsteByteUeber127Entscheidet) {
    struct Fall {
        std::string Roh;
        std::optional<Zeichensatz> Fest;
        std::string Utf8;
        bool Erkannt;
    };
    const std::string ascii(70000, 'a');  // beyond one block
    const Fall faelle[] = {
        {ascii + "M\xFCller \x80", std::nullopt, ascii + "Müller €", true},
        {ascii + "M\xC3\xBCller \xFC", std::nullopt, ascii + "Müller \xFC", false},
        {"M\xC3\xBCller", Zeichensatz::Windows1252, "MÃ¼ller", false},
        {"M\xFCller", Zeichensatz::Utf8, "M\xFCller", false},
        {"abc\xC3", std::nullopt, "abcÃ", true},  // cut at the end
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.Utf8.substr(fall.Utf8.size() > 20 ? fall.Utf8.size() - 20 : 0));
        for (const bool tropfenweise : {false, true}) {
            TextStrom ganz(fall.Roh);
            Tropfen tropfen(fall.Roh);
            int erkannt = 0;
            Zeichensatzstrom strom(tropfenweise ? static_cast<Eingabestrom&>(tropfen) : ganz,
                                   fall.Fest, [&] { ++erkannt; });
            std::string gelesen;
            std::array<char, 5000> block{};
            while (const std::size_t n = strom.Lesen(block.data(), block.size())) {
                gelesen.append(block.data(), n);
            }
            EXPECT_EQ(gelesen, fall.Utf8);
            EXPECT_EQ(erkannt, fall.Erkannt ? 1 : 0);
        }
    }
}

// A repeated number is copied from where it stands in the buffer; a field
// too large for the buffer hands it on and takes a new one in between.
TEST(Zeilenschreiber, WiederholterBetragNachEinemRiesigenFeld) {
    std::string text;
    Zeilenschreiber schreiber([&](std::string_view daten) { text += daten; }, Ausgabeformat::Csv,
                              {"a", "b", "c"});
    const std::string riesig(std::size_t{3} << 20, 'x');
    schreiber.Betrag(Waehrung::AusRoh(15000), 2);
    schreiber.Text(riesig);
    schreiber.Betrag(Waehrung::AusRoh(15000), 2);
    schreiber.Zeilenende();
    schreiber.Leeren();
    EXPECT_EQ(text, "1,50;" + riesig + ";1,50\n");
}

// A case whose annual sum is missing is written, but not whole.
TEST(Befehl, EinFehlendesFeldGibtStatus1) {
    const auto unvollstaendig = [](Ausgabe&) {
        return Zaehlung{.Gerechnet = 1, .Unvollstaendig = 1};
    };
    EXPECT_EQ(ZeilenAusgeben(
                  {}, [](const std::string&) {}, unvollstaendig),
              1);
}

TEST(Zeilenteiler, ZeilenUeberBlockgrenzenUndZuLangeZeilen) {
    const std::string lang(Zeilenteiler::HoechsteLaenge + 1, 'x');
    std::string text =
        "\xEF\xBB\xBF"
        "eins\r\n\rzwei\n";
    text += lang;
    text += "\r\ndrei\r";
    text += lang;
    text += lang;
    text += "\r\nvier";
    for (const bool tropfenweise : {false, true}) {
        TextStrom ganz(text);
        Tropfen tropfen(text);
        Zeilenteiler zeilen(tropfenweise ? static_cast<Eingabestrom&>(tropfen) : ganz);
        std::vector<std::string> gelesen;
        std::string_view zeile;
        bool zuLang = false;
        while (zeilen.Naechste(zeile, zuLang)) {
            gelesen.push_back(std::to_string(zeilen.Nummer()) + ":" +
                              (zuLang ? "zu lang" : std::string(zeile)));
        }
        EXPECT_EQ(gelesen, (std::vector<std::string>{"1:eins", "2:", "3:zwei", "4:zu lang",
                                                     "5:drei", "6:zu lang", "7:vier"}));
    }
}

}  // namespace
}  // namespace lohnwippe::rechner
