// The spreadsheet reader on the files LibreOffice wrote (the calculator's
// end-to-end tests use them too), on hand-made files for what LibreOffice
// does not write (handgemacht.py) and on damaged input.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <charconv>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "rechner/Blattleser.h"
#include "rechner/Fehler.h"

namespace lohnwippe::rechner {
namespace {

const std::string Ordner = LOHNWIPPE_TESTDATEN "/";

std::string Inhalt(const std::string& datei) {
    std::ifstream strom(Ordner + datei, std::ios::binary);
    return {std::istreambuf_iterator<char>(strom), std::istreambuf_iterator<char>()};
}

// Every cell handed out, "B2=2012" for a number, "A2:Müller" for a text;
// `formate`: a number in a format with the code and the text the file
// holds, "E2=42 0000 „0042“".
std::vector<std::string> Zellen(Blattleser& leser, bool formate = false) {
    std::vector<std::string> zellen;
    Blattzeile zeile;
    while (leser.Naechste(zeile)) {
        for (const Blattzelle& zelle : zeile.Zellen) {
            std::string ort = Spaltenbuchstaben(zelle.Spalte) + std::to_string(zeile.Nummer);
            if (zelle.Zahl) {
                char zahl[32];
                const auto ende = std::to_chars(zahl, zahl + sizeof zahl, *zelle.Zahl).ptr;
                zellen.push_back(ort + "=" + std::string(zahl, ende) +
                                 (!formate || (zelle.Format.empty() && zelle.Text.empty())
                                      ? ""
                                      : " " + zelle.Format + " „" + zelle.Text + "“"));
            } else {
                zellen.push_back(ort + ":" + zelle.Text);
            }
        }
    }
    return zellen;
}

std::vector<std::string> Datei(const std::string& datei,
                               const std::optional<std::string>& blatt = std::nullopt) {
    auto deskriptor = Deskriptor::DateiOeffnen(Ordner + datei, O_RDONLY);
    EXPECT_TRUE(deskriptor.HatWert()) << datei;
    return Zellen(*BlattOeffnen(deskriptor.Wert(), datei, blatt));
}

std::vector<std::string> Speicher(const std::string& daten, const std::string& name,
                                  const std::optional<std::string>& blatt = std::nullopt) {
    return Zellen(*BlattAusSpeicher(daten, name, blatt));
}

// The message of the Abbruch that opening or reading ends with.
template <typename Lesen>
std::string Abbruchtext(Lesen lesen) {
    try {
        lesen();
    } catch (const Abbruch& abbruch) {
        return abbruch.what();
    }
    ADD_FAILURE() << "kein Abbruch";
    return {};
}

const std::vector<std::string> Faelle = {
    "A1:Mitarbeiter", "B1:Jahr", "C1:Monat", "D1:Kasse", "E1:Teilmonat", "F1:Entgelt_1",
    "G1:Entgelt_2", "H1:KV_1", "I1:RV-Verzicht",
    // amounts typed, as formulas (=400+50,5 and =F3*2) and as currency
    "A2:Müller, Jörg", "B2=2012", "C2=1", "D2:AOK Bayern", "F2=450.5", "H2=1", "I2:0",  //
    "A3=1002", "B3=2012", "C3:März", "D3:AOK Thüring.", "E3=7", "F3=450.5", "G3=901", "H3=0",
    "I3:1",                                                                             //
    "A5:=Chef", "B5=2011", "C5=12", "D5:AOK Techn.", "F5=450.5", "G5=1234.56", "H5=1",  //
    "A6:+Aushilfe", "B6=2011", "C6=2", "D6=2", "F6=800.25",                             //
    "A7:-Rest", "B7=2010", "C7:Mai", "D7:AOK Bayern", "F7=0.1",                         //
    "A8:@home", "B8=2009", "C8=4", "D8:AOK Bayern", "F8=0.05",                          //
    "A10:Summe", "F10=2151.9", "G10=2135.56"};

const std::vector<std::string> Notizen = {"A1:Zeile eins\nZeile zwei",
                                          "B1:a  bc",
                                          "A2:x",
                                          "B2:x",
                                          "C2:x",
                                          "A3:x",
                                          "B3:x",
                                          "C3:x",
                                          "A4=0.05",
                                          "B4=1"};

TEST(Blattleser, LiestJedeZelleDerLibreOfficeDateien) {
    for (const std::string datei : {"faelle-de.xlsx", "faelle-de.ods", "faelle-en.xlsx"}) {
        SCOPED_TRACE(datei);
        EXPECT_EQ(Datei(datei), Faelle);
        EXPECT_EQ(Datei(datei, "Tabelle1"), Faelle);
        EXPECT_EQ(Datei(datei, "Notizen"), Notizen);
        EXPECT_EQ(Speicher(Inhalt(datei), datei, "Notizen"), Notizen);
        EXPECT_EQ(Abbruchtext([&] { Datei(datei, "Lohn"); }),
                  datei + ": kein Blatt „Lohn“ – die Datei hat „Tabelle1“, „Notizen“");
    }
}

TEST(Blattleser, OdsZaehltWiederholungenOhneLeereZuErzeugen) {
    const std::string ods = Inhalt("wiederholung.ods");
    EXPECT_EQ(Speicher(ods, "w.ods"), std::vector<std::string>{"A1:nicht hier"});
    // Rows in header and group elements; a row and cells with content
    // repeated; a million empty rows and 16384 empty cells only counted;
    // comments and shapes in a cell are not its text.
    EXPECT_EQ(Speicher(ods, "w.ods", "Lohn"),
              (std::vector<std::string>{"A1:Kopf", "A2=1.5", "B2=1.5", "ALO2:1", "A3=1.5", "B3=1.5",
                                        "ALO3:1", "A4=1.5", "B4=1.5", "ALO4:1",
                                        "A1048005:a   b\tc\nd\nef ", "B1048005=46363",
                                        "C1048005=-1234.5"}));
    EXPECT_EQ(Abbruchtext([&] { Speicher(ods, "w.ods", "lohn"); }),
              "w.ods: kein Blatt „lohn“ – die Datei hat „Vorne“, „Lohn“, „Hinten“");
}

TEST(Blattleser, XlsxFolgtDenBeziehungenUndLiestJedeZellart) {
    const std::string xlsx = Inhalt("umwege.xlsx");
    // The first sheet is a chart: the first table is taken; rows and cells
    // without references follow the one before.
    EXPECT_EQ(Speicher(xlsx, "u.xlsx"),
              (std::vector<std::string>{"A1:Jörg Müller", "B1=1500", "D1:1", "C4:angehängt",
                                        "D4:ab", "E4:#DIV/0!", "AA4:2026-12-07", "AB4:eins",
                                        "AC4=-0.25", "AD4:Zeile\r\nzwei_x0041_"}));
    EXPECT_EQ(Abbruchtext([&] { Speicher(xlsx, "u.xlsx", "Diagramm"); }),
              "u.xlsx: „Diagramm“ ist kein Tabellenblatt (ein Diagramm?)");
}

TEST(Blattleser, BeschaedigteDateienEndenMitDeutscherMeldung) {
    const std::string xlsx = Inhalt("faelle-de.xlsx");
    const auto meldung = [](const std::string& daten) {
        return Abbruchtext([&] { Speicher(daten, "x"); });
    };
    const std::string kaputt = "x: beschädigt oder keine .xlsx-/.ods-Datei (";
    EXPECT_EQ(meldung("Mitarbeiter;Jahr\n"), kaputt + "kein vollständiges Zip-Archiv)");
    EXPECT_EQ(meldung(xlsx.substr(0, xlsx.size() / 2)), kaputt + "kein vollständiges Zip-Archiv)");
    EXPECT_EQ(meldung(Inhalt("ohne-mappe.xlsx")),
              kaputt + "weder xl/workbook.xml noch content.xml darin)");
    EXPECT_EQ(meldung(Inhalt("kaputt-xml.xlsx")),
              kaputt + "xl/worksheets/sheet1.xml, Zeile 4: Endmarke passt nicht zum Element)");
    EXPECT_EQ(meldung(Inhalt("grosse-zelle.xlsx")), "x: Zelle D7 hält mehr als 1 MiB Text");
    EXPECT_EQ(meldung(Inhalt("entitaeten.xlsx")),
              kaputt + "xl/worksheets/a.xml, Zeile 2: Dokumenttyp-Deklaration nicht erlaubt)");
    // A byte changed inside the packed sheet: the checksum tells.
    std::string verfaelscht = xlsx;
    verfaelscht[xlsx.find("xl/worksheets/sheet1.xml") + 40] ^= 0x55;
    EXPECT_NE(meldung(verfaelscht).find(kaputt), std::string::npos);

    const std::string verbund("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0\0\0", 12);
    EXPECT_TRUE(MappeNachInhalt(verbund));
    EXPECT_NE(meldung(verbund).find("mit Kennwort geschützte"), std::string::npos);
}

TEST(Blattleser, FormelOhneErgebnisWirdAbgewiesen) {
    const std::string speichern =
        " hält eine Formel ohne gespeichertes Ergebnis – bitte die Datei einmal in einem "
        "Tabellenprogramm öffnen und speichern, dann steht das Ergebnis darin";
    // An empty text is a result (C2); an empty number is none.
    for (const std::string datei : {"ohne-ergebnis.xlsx", "leeres-ergebnis.xlsx"}) {
        std::string erwartet = datei;
        erwartet.append(": Zelle D2").append(speichern);
        EXPECT_EQ(Abbruchtext([&] { Datei(datei); }), erwartet);
    }
    EXPECT_EQ(Abbruchtext([&] { Datei("ohne-ergebnis.ods"); }),
              "ohne-ergebnis.ods: Zelle A2" + speichern);
}

// LibreOffice made formate.ods with the first sheet hidden; its .xlsx
// shows every sheet, so verborgen.xlsx is it with the first one hidden.
TEST(Blattleser, AusgeblendetesBlattUndZahlformate) {
    const std::vector<std::string> alt = {"A1:Jahr", "B1:Monat", "C1:Kasse",      "D1:Entgelt_1",
                                          "A2=2012", "B2=1",     "C2:AOK Bayern", "D2=900"};
    for (const std::string datei : {"formate.xlsx", "formate.ods", "verborgen.xlsx"}) {
        auto deskriptor = Deskriptor::DateiOeffnen(Ordner + datei, O_RDONLY);
        const auto leser = BlattOeffnen(deskriptor.Wert(), datei, std::nullopt);
        const auto zellen = Zellen(*leser, true);
        if (datei == "formate.xlsx") {
            EXPECT_EQ(zellen, alt);
            EXPECT_EQ(leser->Hinweis(), "");
            continue;
        }
        EXPECT_EQ(leser->Hinweis(), datei +
                                        ": das erste Blatt „Alt“ ist ausgeblendet – gelesen wird "
                                        "„Tabelle1“ (--blatt wählt ein anderes)");
        const auto asked = BlattOeffnen(deskriptor.Wert(), datei, "Alt");
        EXPECT_EQ(Zellen(*asked), alt);
        EXPECT_EQ(asked->Hinweis(),
                  datei + ": das Blatt „Alt“ ist ausgeblendet – es wird trotzdem gelesen");
        const std::vector<std::string> zahlen(zellen.begin() + 13, zellen.begin() + 18);
        const std::vector<std::string> erwartet =
            datei == "formate.ods"
                ? std::vector<
                      std::string>{"E2=42 0000 „0042“", "F2=35796 DD\".\"MM\".\"YYYY „01.01.1998“",
                                   "G2=0.35416666666666663 HH\":\"MM „08:30“",
                                   R"(H2=-1234.5 #,##0.00" ""€";"-"#,##0.00" ""€" „-1.234,50 €“)",
                                   "I2=0.125 0.0% „12,5%“"}
                : std::vector<std::string>{
                      "E2=42 0000 „“", "F2=35796 dd/mm/yyyy „“", "G2=0.354166666666667 hh:mm „“",
                      "H2=-1234.5 #,##0.00\\ [$€-407];\\-#,##0.00\\ [$€-407] „“",
                      "I2=0.125 0.0% „“"};
        EXPECT_EQ(zahlen, erwartet);
    }
}

// Made by handgemacht.py; each must end at once with its limit named.
TEST(Blattleser, PruefsummeUndGrenzen) {
    for (const std::string datei : {"falsche-pruefsumme.xlsx", "falsche-pruefsumme.ods"}) {
        EXPECT_NE(Abbruchtext([&] { Datei(datei, "Tabelle1"); }).find("Prüfsumme falsch"),
                  std::string::npos)
            << datei;
    }
    EXPECT_EQ(Abbruchtext([&] { Datei("bombe.xlsx"); }),
              "bombe.xlsx: xl/worksheets/a.xml ist mehr als 1100-fach gepackt – so packt kein "
              "Tabellenprogramm, die Datei wird nicht gelesen");
    EXPECT_EQ(Abbruchtext([&] { Datei("falsche-groesse.xlsx"); }),
              "falsche-groesse.xlsx: beschädigt oder keine .xlsx-/.ods-Datei (xl/worksheets/a.xml: "
              "größer als im Zip-Verzeichnis angegeben)");
    EXPECT_EQ(Abbruchtext([&] { Datei("langer-name.xlsx"); }),
              "langer-name.xlsx: ein Blattname länger als 4096 Bytes – die Datei wird nicht "
              "gelesen");
    EXPECT_EQ(Abbruchtext([&] { Datei("langer-name.ods"); }),
              "langer-name.ods: ein Blattname länger als 4096 Bytes – die Datei wird nicht "
              "gelesen");
    EXPECT_EQ(Abbruchtext([&] { Datei("langes-element.xlsx"); }),
              "langes-element.xlsx: xl/worksheets/a.xml, Zeile 1: ein XML-Element braucht mehr "
              "als 32 MiB Speicher – so große Elemente schreibt kein Tabellenprogramm");
    EXPECT_EQ(Abbruchtext([&] { Datei("wiederholt.ods"); }),
              "wiederholt.ods: Zeile 1: Wiederholungen machen mehr als 1.000.000 Zellen – so viel "
              "liest der Rechner nicht aus einer Datei");
}

TEST(Blattleser, PipeWirdAbgewiesen) {
    int enden[2];
    ASSERT_EQ(::pipe(enden), 0);
    ::close(enden[1]);
    Deskriptor eingabe(enden[0], "Standardeingabe", true);
    EXPECT_EQ(Abbruchtext([&] { BlattOeffnen(eingabe, "Standardeingabe", std::nullopt); }),
              "Standardeingabe: eine Tabellendatei (.xlsx, .ods) lässt sich nur aus einer Datei "
              "lesen, nicht aus einer Pipe");
}

TEST(Blattleser, Spaltenbuchstaben) {
    EXPECT_EQ(Spaltenbuchstaben(0), "A");
    EXPECT_EQ(Spaltenbuchstaben(25), "Z");
    EXPECT_EQ(Spaltenbuchstaben(26), "AA");
    EXPECT_EQ(Spaltenbuchstaben(16383), "XFD");
    EXPECT_TRUE(MappeNachInhalt("PK\x03\x04"));
    EXPECT_FALSE(MappeNachInhalt("Jahr;Monat"));
}

}  // namespace
}  // namespace lohnwippe::rechner
