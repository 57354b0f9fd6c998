#pragma once

// Once only: writes the traces anew with `=` lines taken from the program as
// it is, keeping every recorded line. A state is written only where it
// hashes to what was recorded. Not to be kept: a program must not be able
// to record its own reference.

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "Spuren.h"
#include "store/Satznummern.h"

namespace lohnwippe::test {

// The records whose bytes changed, runs of records with the same change in
// one line; a file that grew counts as grown by zeros.
inline void DateiaenderungSchreiben(std::ostream& aus, const char* gruppe, std::size_t satzlaenge,
                                    std::string alt, const std::string& neu) {
    if (alt.size() != neu.size()) {
        aus << "= " << gruppe << " laenge " << neu.size() << '\n';
        alt.resize(neu.size(), '\0');
    }
    EXPECT_EQ(neu.size() % satzlaenge, 0u) << gruppe;
    std::size_t von = 0;
    std::size_t bis = 0;
    std::size_t offset = 0;
    std::string hex;
    const auto ausgeben = [&] {
        if (von != 0) {
            aus << "= " << gruppe << ' ' << von;
            if (bis != von) {
                aus << '-' << bis;
            }
            aus << ' ' << offset << ' ' << hex << '\n';
        }
        von = 0;
    };
    for (std::size_t ab = 0; ab < neu.size(); ab += satzlaenge) {
        const std::size_t satz = ab / satzlaenge + 1;
        std::size_t erstes = 0;
        std::size_t letztes = 0;
        bool anders = false;
        for (std::size_t i = 0; i < satzlaenge; ++i) {
            if (alt[ab + i] != neu[ab + i]) {
                erstes = anders ? erstes : i;
                letztes = i;
                anders = true;
            }
        }
        if (!anders) {
            ausgeben();
            continue;
        }
        std::string bytes;
        for (std::size_t i = erstes; i <= letztes; ++i) {
            static const char* ziffern = "0123456789abcdef";
            const auto byte = static_cast<unsigned char>(neu[ab + i]);
            bytes += ziffern[byte >> 4];
            bytes += ziffern[byte & 0xf];
        }
        if (von != 0 && bis + 1 == satz && offset == erstes && hex == bytes) {
            bis = satz;
            continue;
        }
        ausgeben();
        von = bis = satz;
        offset = erstes;
        hex = bytes;
    }
    ausgeben();
}

// Names whose texts changed to the same text share a line: a single
// employment's amounts stand in its column and in the total column.
inline void TextaenderungSchreiben(std::ostream& aus, const char* gruppe,
                                   const std::vector<Wert>& alt, const std::vector<Wert>& neu) {
    std::vector<std::pair<std::string, std::string>> zeilen;  // text, names
    for (const Wert& wert : neu) {
        EXPECT_EQ(wert.Name.find_first_of(",\t\r\n"), std::string::npos) << wert.Name;
        const auto vorher = std::find_if(alt.begin(), alt.end(),
                                         [&wert](const Wert& w) { return w.Name == wert.Name; });
        if (vorher != alt.end() && vorher->Text == wert.Text) {
            continue;
        }
        const auto gleich = std::find_if(zeilen.begin(), zeilen.end(),
                                         [&wert](const auto& z) { return z.first == wert.Text; });
        if (gleich == zeilen.end()) {
            zeilen.emplace_back(wert.Text, wert.Name);
        } else {
            gleich->second += "," + wert.Name;
        }
    }
    for (const auto& [text, namen] : zeilen) {
        aus << "= " << gruppe << ' ' << namen << '\t' << Maskiert(text) << '\n';
    }
}

inline void AenderungSchreiben(std::ostream& aus, const Spurzustand& alt, const Spurzustand& neu) {
    DateiaenderungSchreiben(aus, "sv", FallsatzLaenge, alt.Sv, neu.Sv);
    DateiaenderungSchreiben(aus, "u12", UmlagesatzLaenge, alt.U12, neu.U12);
    TextaenderungSchreiben(aus, "anzeige", alt.Anzeige, neu.Anzeige);
    TextaenderungSchreiben(aus, "fenster", alt.Fenster.value(), neu.Fenster.value());
    for (const Meldungstext& m : neu.Meldungen) {
        aus << "= meldung " << Maskiert(m.Titel) << '\t' << Maskiert(m.Text) << '\t' << m.Symbol
            << '\n';
    }
}

inline void SpurenUmschreiben(const std::filesystem::path& ziel, const std::function<void()>& neu,
                              const std::function<void(const std::vector<std::string>&)>& tun,
                              const std::function<Spurzustand()>& zustand) {
    const auto erfassen = [&zustand] {
        Spurzustand z = zustand();
        z.Sv = DateiLesen(FalldateiName);
        z.U12 = DateiLesen(UmlagedateiName);
        return z;
    };
    std::vector<std::filesystem::path> dateien;
    for (const auto& eintrag : std::filesystem::directory_iterator(LOHNWIPPE_SPUREN)) {
        if (eintrag.path().extension() == ".spur") {
            dateien.push_back(eintrag.path());
        }
    }
    std::sort(dateien.begin(), dateien.end());
    std::filesystem::create_directories(ziel);
    std::optional<Spurzustand> anfang;
    for (const std::filesystem::path& datei : dateien) {
        neu();
        const Spurzustand start = erfassen();
        ASSERT_TRUE(start.Meldungen.empty()) << datei;
        if (!anfang) {
            anfang = start;
            std::ofstream aus(ziel / "anfang.zustand", std::ios::binary);
            aus << "# Was ein frischer Start hinterlässt, als Änderungen gegen nichts.\n";
            AenderungSchreiben(aus, Spurzustand{{}, {}, {}, std::vector<Wert>{}, {}}, start);
        }
        ASSERT_EQ(Hashes(start), Hashes(*anfang)) << datei;
        std::ifstream ein(datei, std::ios::binary);
        std::ofstream aus(ziel / datei.filename(), std::ios::binary);
        Spurzustand vorher = start;
        int nr = 0;
        for (std::string zeile; std::getline(ein, zeile);) {
            ASSERT_FALSE(zeile.starts_with("= ")) << datei << ": schon umgeschrieben";
            aus << zeile << '\n';
            if (zeile.starts_with("> ")) {
                ++nr;
                tun(Zerlegen(zeile.substr(2), '\t'));
                ASSERT_FALSE(::testing::Test::HasFatalFailure()) << datei << " " << nr;
                Spurzustand jetzt = erfassen();
                AenderungSchreiben(aus, vorher, jetzt);
                vorher = std::move(jetzt);
            } else if (zeile.starts_with("< ")) {
                const auto hashes = Hashes(vorher);
                std::map<std::string, std::string> aufgezeichnet;
                for (const std::string& paar : Zerlegen(zeile.substr(2), ' ')) {
                    const auto gleich = paar.find('=');
                    aufgezeichnet[paar.substr(0, gleich)] = paar.substr(gleich + 1);
                }
                ASSERT_EQ(hashes, aufgezeichnet) << datei << ", Schritt " << nr;
            }
        }
    }
}

}  // namespace lohnwippe::test
