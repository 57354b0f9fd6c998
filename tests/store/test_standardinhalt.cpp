// The levy-rate file of a new installation against the table it comes from,
// written out here a second time by hand.
#include <gtest/gtest.h>

#include <sstream>

#include "store/Standardinhalt.h"

namespace lohnwippe {
namespace {

// Per fund position: U1 of 2009 to 2012, then U2 of 2009 to 2012; "20/7:23"
// is 20 and from July on 23. Then U3 and KV, alike for all funds.
const char* const Tabelle = R"(
390 370 370 370 15 20 20/7:23 27
270 270 270 270 10 20 28/8:39 39
360 400 200 250 15 17 30 35
310 400 200 250 15 17 30 35
290 390 390 340 15 20 25 30
260 260 260 260 12 20 20 30
390 390 340 340 5 14 19 25
210/9:220 280 200 250 20 20/9:25 30 35
330 350 340 380 16 22 30 30
310 330/10:360 360 380 9 20/10:18 18 30
410 410 100 260 15 19 19 30
230 390 390 390 5 15 15 15
190 310 310 310 35 45 45 49
340 340 300 300 12 20/7:28 28 28
280 330 360 380 10 20/10:18 18 30
190 310 310 310 35 45 45 49
260 260 260 260 12 20 20 30
340 340 330 330 15 20 33 33
320 320 390 390 15 20 33 33
320 320 390 390 15 20 33 33
280 280 330 330 10 20 30 39
250 250 350 350 15 20 30 30
0 410 0 40
1460/7:1400 1400 1460 1460
)";

// The rate of a cell in month `monat` (1..12).
int Satz(const std::string& zelle, int monat) {
    const auto schraeg = zelle.find('/');
    if (schraeg != std::string::npos && monat >= std::stoi(zelle.substr(schraeg + 1))) {
        return std::stoi(zelle.substr(zelle.find(':') + 1));
    }
    return std::stoi(zelle);
}

TEST(Standardinhalt, UmlagesaetzeAllerKassenUndMonate) {
    std::vector<std::vector<std::string>> zeilen;
    std::istringstream tabelle(Tabelle);
    for (std::string zeile; std::getline(tabelle, zeile);) {
        std::istringstream zellen(zeile);
        zeilen.emplace_back(std::istream_iterator<std::string>(zellen),
                            std::istream_iterator<std::string>());
    }
    ASSERT_EQ(zeilen.size(), 1u + AnzahlKassen + 2);
    for (int nr = 1; nr <= 48; ++nr) {
        const std::size_t jahr = static_cast<std::size_t>(nr - 1) / 12;
        const int monat = (nr - 1) % 12 + 1;
        const Umlagesatz satz = StandardUmlagesatz(nr);
        for (std::size_t k = 0; k < AnzahlKassen; ++k) {
            const auto& zeile = zeilen[k + 1];
            EXPECT_EQ(
                std::tuple(satz.U1Saetze[k], satz.U2Saetze[k], satz.U3Saetze[k], satz.KVSaetze[k]),
                std::tuple(Satz(zeile.at(jahr), monat), Satz(zeile.at(4 + jahr), monat),
                           Satz(zeilen[23].at(jahr), monat), Satz(zeilen[24].at(jahr), monat)))
                << "Satz " << nr << ", Kasse " << k;
        }
    }
    EXPECT_TRUE(StandardUmlagesatz(0) == Umlagesatz{} && StandardUmlagesatz(49) == Umlagesatz{});
}

}  // namespace
}  // namespace lohnwippe
