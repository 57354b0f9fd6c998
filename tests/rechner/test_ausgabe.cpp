// What an output says about itself while it is written.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Arbeitsordner.h"
#include "rechner/Befehl.h"

namespace lohnwippe::rechner {
namespace {

using Ausgabedateien = test::ArbeitsordnerTest;

// A character the code page lacks is said once, with its place.
TEST_F(Ausgabedateien, Windows1252SagtDasErsteFehlendeZeichen) {
    std::vector<std::string> meldungen;
    Ausgabeoptionen optionen;
    optionen.Ausgabe = "aus.csv";
    optionen.Textzeichensatz = Zeichensatz::Windows1252;
    const int code = ZeilenAusgeben(
        optionen, [&](const std::string& meldung) { meldungen.push_back(meldung); },
        [&](Ausgabe& ausgabe) {
            Zeilenschreiber& zeile = ausgabe.Oeffnen({"Name", "Ort"}, {});
            for (const char* name : {"Müller €", "Ωmega", "Łódź"}) {
                zeile.Text(name);
                zeile.Text("x");
                zeile.Zeilenende();
            }
            return Zaehlung{};
        });
    EXPECT_EQ(code, 0);
    std::ifstream datei("aus.csv", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(datei), {}),
              "Name;Ort\nM\xFCller \x80;x\n?mega;x\n?\xF3"
              "d?;x\n");
    EXPECT_EQ(meldungen, std::vector<std::string>{
                             "aus.csv, Ausgabezeile 3, Spalte „Name“: Windows-1252 hat nicht alle "
                             "Zeichen von „Ωmega“; sie stehen als „?“ in der Ausgabe (gemeldet nur "
                             "das erste Mal; --zeichensatz utf-8 behält sie)"});
}

}  // namespace
}  // namespace lohnwippe::rechner
