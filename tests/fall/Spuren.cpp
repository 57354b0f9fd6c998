// Reading the traces and replaying them; what a difference is called is in
// Spurvergleich.cpp.
#include "Spuren.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "Stichprobe.h"
#include "calc/Eingaben.h"
#include "calc/Ergebniszeilen.h"
#include "store/Satznummern.h"

namespace lohnwippe::test {

namespace {

// Backslash, tab, carriage return and newline, and how a trace line writes
// them after a backslash.
constexpr std::string_view Steuerzeichen = "\\\t\r\n";
constexpr std::string_view Kuerzel = "\\trn";

}  // namespace

std::string Maskiert(std::string_view text) {
    std::string ergebnis;
    for (const char zeichen : text) {
        const std::size_t k = Steuerzeichen.find(zeichen);
        if (k != std::string_view::npos) {
            ergebnis += '\\';
        }
        ergebnis += k == std::string_view::npos ? zeichen : Kuerzel[k];
    }
    return ergebnis;
}

std::vector<Wert> Anzeigewerte(const std::function<std::string(int, int)>& zelle,
                               bool warnungSichtbar, const std::vector<std::string>& tafel) {
    static const std::vector<std::string> tafelnamen = {"Jahressumme", "Satz KV", "Satz PV",
                                                        "Satz RV",     "Satz AV", "Satz F",
                                                        "Satz U1",     "Satz U2", "Satz U3"};
    std::vector<Wert> werte;
    for (int zeile = 0; zeile < AnzahlErgebniszeilen; ++zeile) {
        for (int spalte = 0; spalte <= SummenSpalte; ++spalte) {
            werte.push_back(
                {std::to_string(zeile) + "." + std::to_string(spalte), zelle(zeile, spalte)});
        }
    }
    werte.push_back({"Warnung", warnungSichtbar ? "sichtbar" : "verborgen"});
    for (std::size_t i = 0; i < tafel.size(); ++i) {
        werte.push_back({tafelnamen[i], tafel[i]});
    }
    return werte;
}

namespace {

std::vector<std::string> Zerlegen(const std::string& zeile, char trenner) {
    std::vector<std::string> teile(1);
    for (const char zeichen : zeile) {
        if (zeichen == trenner) {
            teile.emplace_back();
        } else {
            teile.back() += zeichen;
        }
    }
    return teile;
}

std::string DateiLesen(const char* name) {
    std::ifstream strom(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(strom), {}};
}

struct Schritt {
    std::vector<std::string> Aktion;
    // The step's `=` lines without the mark.
    std::vector<std::string> Aenderungen;
};

std::string Unmaskiert(std::string_view text) {
    std::string ergebnis;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t k = text[i] == '\\' && i + 1 < text.size() ? Kuerzel.find(text[i + 1])
                                                                     : std::string_view::npos;
        ergebnis += k == std::string_view::npos ? text[i] : Steuerzeichen[k];
        i += k == std::string_view::npos ? 0 : 1;
    }
    return ergebnis;
}

std::vector<Schritt> SpurLesen(const std::filesystem::path& pfad) {
    std::vector<Schritt> schritte;
    std::ifstream strom(pfad);
    std::string zeile;
    while (std::getline(strom, zeile)) {
        if (zeile.starts_with("> ")) {
            schritte.push_back({Zerlegen(zeile.substr(2), '\t'), {}});
        } else if (!schritte.empty() && zeile.starts_with("= ")) {
            schritte.back().Aenderungen.push_back(zeile.substr(2));
        }
    }
    return schritte;
}

// "= sv laenge N" or "= sv SATZ[-BIS] OFFSET HEX", without "= sv ".
void BytesAnwenden(std::string& datei, std::size_t satzlaenge, const std::string& angabe) {
    const std::vector<std::string> teile = Zerlegen(angabe, ' ');
    if (teile.size() == 2 && teile[0] == "laenge") {
        datei.resize(std::stoul(teile[1]), '\0');
        return;
    }
    const std::size_t strich = teile[0].find('-');
    const std::size_t von = std::stoul(teile[0].substr(0, strich));
    const std::size_t bis =
        strich == std::string::npos ? von : std::stoul(teile[0].substr(strich + 1));
    const std::size_t offset = std::stoul(teile[1]);
    std::string bytes;
    for (std::size_t i = 0; i < teile[2].size(); i += 2) {
        bytes += static_cast<char>(std::stoi(teile[2].substr(i, 2), nullptr, 16));
    }
    for (std::size_t satz = von; satz <= bis; ++satz) {
        datei.replace((satz - 1) * satzlaenge + offset, bytes.size(), bytes);
    }
}

void TextAnwenden(std::vector<Wert>& werte, const std::string& angabe) {
    const std::size_t tab = angabe.find('\t');
    const std::string text = Unmaskiert(angabe.substr(tab + 1));
    for (const std::string& name : Zerlegen(angabe.substr(0, tab), ',')) {
        const auto wert = std::find_if(werte.begin(), werte.end(),
                                       [&name](const Wert& w) { return w.Name == name; });
        (wert == werte.end() ? werte.emplace_back(Wert{name, {}}) : *wert).Text = text;
    }
}

// One `=` line without the mark.
void Anwenden(Spurzustand& zustand, const std::string& aenderung) {
    const std::size_t leer = aenderung.find(' ');
    const std::string gruppe = aenderung.substr(0, leer);
    const std::string angabe = leer == std::string::npos ? "" : aenderung.substr(leer + 1);
    if (gruppe == "sv") {
        BytesAnwenden(zustand.Sv, FallsatzLaenge, angabe);
    } else if (gruppe == "u12") {
        BytesAnwenden(zustand.U12, UmlagesatzLaenge, angabe);
    } else if (gruppe == "anzeige") {
        TextAnwenden(zustand.Anzeige, angabe);
    } else if (gruppe == "fenster") {
        if (!zustand.Fenster) {
            zustand.Fenster.emplace();
        }
        TextAnwenden(*zustand.Fenster, angabe);
    } else if (gruppe == "meldung") {
        const std::vector<std::string> teile = Zerlegen(angabe, '\t');
        zustand.Meldungen.push_back(
            {Unmaskiert(teile[0]), Unmaskiert(teile[1]), std::stoi(teile[2])});
    } else {
        throw std::runtime_error("unbekannte Änderung: " + aenderung);
    }
}

std::vector<std::filesystem::path> Spurdateien() {
    std::vector<std::filesystem::path> dateien;
    for (const auto& eintrag : std::filesystem::directory_iterator(LOHNWIPPE_SPUREN)) {
        if (eintrag.path().extension() == ".spur") {
            dateien.push_back(eintrag.path());
        }
    }
    std::sort(dateien.begin(), dateien.end());
    return dateien;
}

std::string Verbunden(const std::vector<std::string>& teile, std::string_view zwischen) {
    std::string text;
    for (const std::string& teil : teile) {
        text += (text.empty() ? "" : std::string(zwischen)) + teil;
    }
    return text;
}

}  // namespace

void SpurenAbspielen(const std::function<void()>& neu,
                     const std::function<void(const std::vector<std::string>&)>& tun,
                     const std::function<Spurzustand()>& zustand) {
    // A fresh start as changes from nothing.
    Spurzustand anfang;
    std::ifstream strom(std::filesystem::path(LOHNWIPPE_SPUREN) / "anfang.zustand");
    ASSERT_TRUE(strom) << "anfang.zustand nicht lesbar";
    for (std::string zeile; std::getline(strom, zeile);) {
        if (zeile.starts_with("= ")) {
            Anwenden(anfang, zeile.substr(2));
        }
    }
    const auto dateien = Spurdateien();
    ASSERT_FALSE(dateien.empty());
    Stichprobe stichprobe(5);
    for (const std::filesystem::path& datei : dateien) {
        if (!stichprobe.Nehmen()) {
            continue;
        }
        neu();
        Spurzustand soll = anfang;
        int nr = 0;
        for (const Schritt& schritt : SpurLesen(datei)) {
            ++nr;
            tun(schritt.Aktion);
            const std::string ort = datei.filename().string() + ", Schritt " + std::to_string(nr) +
                                    " (" + Maskiert(Verbunden(schritt.Aktion, " ")) + "): ";
            ASSERT_FALSE(::testing::Test::HasFatalFailure()) << ort;
            soll.Meldungen.clear();
            for (const std::string& aenderung : schritt.Aenderungen) {
                Anwenden(soll, aenderung);
            }
            Spurzustand ist = zustand();
            ist.Sv = DateiLesen(FalldateiName);
            ist.U12 = DateiLesen(UmlagedateiName);
            const std::vector<std::string> befunde = Unterschiede(soll, ist);
            if (!befunde.empty()) {
                FAIL() << ort << "\n  " << Verbunden(befunde, "\n  ");
            }
        }
    }
}

}  // namespace lohnwippe::test
