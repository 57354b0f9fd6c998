// Reading the traces and replaying them; what a difference is called is in
// Spurvergleich.cpp.
#include "Spuren.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "calc/Eingaben.h"
#include "calc/Ergebniszeilen.h"
#include "store/Satznummern.h"

namespace lohnwippe::test {

std::string Maskiert(std::string_view text) {
    std::string ergebnis;
    for (const char zeichen : text) {
        switch (zeichen) {
            case '\\':
                ergebnis += "\\\\";
                break;
            case '\t':
                ergebnis += "\\t";
                break;
            case '\r':
                ergebnis += "\\r";
                break;
            case '\n':
                ergebnis += "\\n";
                break;
            default:
                ergebnis += zeichen;
        }
    }
    return ergebnis;
}

std::vector<Wert> Anzeigewerte(const std::function<std::string(int, int)>& zelle,
                               bool warnungSichtbar, const std::vector<std::string>& tafel) {
    static const std::vector<std::string> tafelnamen = {"Jahressumme", "Satz KV", "Satz PV",
                                                        "Satz RV",     "Satz AV", "Satz F",
                                                        "Satz U1",     "Satz U2", "Satz U3"};
    if (tafel.size() != tafelnamen.size()) {
        throw std::invalid_argument("Anzeigewerte: neun Texte der Satztafel erwartet");
    }
    std::vector<Wert> werte;
    for (int zeile = 0; zeile < AnzahlErgebniszeilen; ++zeile) {
        for (int spalte = 0; spalte <= SummenSpalte; ++spalte) {
            werte.push_back(
                {std::to_string(zeile) + "." + std::to_string(spalte), zelle(zeile, spalte), {}});
        }
    }
    werte.push_back({"Warnung", warnungSichtbar ? "sichtbar" : "verborgen", {}});
    for (std::size_t i = 0; i < tafel.size(); ++i) {
        werte.push_back({tafelnamen[i], tafel[i], {}});
    }
    return werte;
}

namespace {

class Fnv {
  public:
    void Bytes(const void* daten, std::size_t anzahl) {
        const auto* p = static_cast<const unsigned char*>(daten);
        for (std::size_t i = 0; i < anzahl; ++i) {
            wert_ = (wert_ ^ p[i]) * 0x100000001b3ULL;
        }
    }
    // A text and an end mark, so that "ab","c" and "a","bc" differ.
    void Text(std::string_view text) {
        Bytes(text.data(), text.size());
        const char ende = '\x1f';
        Bytes(&ende, 1);
    }
    std::string Hex() const {
        static const char* ziffern = "0123456789abcdef";
        std::string text(16, '0');
        for (int i = 0; i < 16; ++i) {
            text[static_cast<std::size_t>(15 - i)] = ziffern[(wert_ >> (4 * i)) & 0xf];
        }
        return text;
    }

  private:
    std::uint64_t wert_ = 0xcbf29ce484222325ULL;
};

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

// "sv" -> hash and so on, as the recorder formed them; "fenster" only with
// a window.
std::map<std::string, std::string> Hashes(const Spurzustand& zustand) {
    const auto datei = [](const std::string& bytes) {
        Fnv fnv;
        fnv.Bytes(bytes.data(), bytes.size());
        return fnv.Hex() + ":" + std::to_string(bytes.size());
    };
    const auto texte = [](const std::vector<Wert>& werte) {
        Fnv fnv;
        for (const Wert& wert : werte) {
            fnv.Text(wert.Gehasht.value_or(wert.Text));
        }
        return fnv.Hex();
    };
    std::map<std::string, std::string> hashes = {{"sv", datei(zustand.Sv)},
                                                 {"u12", datei(zustand.U12)},
                                                 {"anzeige", texte(zustand.Anzeige)}};
    if (zustand.Fenster) {
        hashes["fenster"] = texte(*zustand.Fenster);
    }
    Fnv meldungen;
    for (const Meldungstext& m : zustand.Meldungen) {
        meldungen.Text(m.Titel);
        meldungen.Text(m.Text);
        meldungen.Text(std::to_string(m.Symbol));
    }
    hashes["meldungen"] = std::to_string(zustand.Meldungen.size()) + ":" + meldungen.Hex();
    return hashes;
}

struct Schritt {
    std::vector<std::string> Aktion;
    // The step's `=` lines without the mark.
    std::vector<std::string> Aenderungen;
    // "sv" -> hash and so on, as recorded.
    std::map<std::string, std::string> Hashes;
};

std::string Unmaskiert(std::string_view text) {
    std::string ergebnis;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            ergebnis += text[i];
            continue;
        }
        const char zeichen = text[++i];
        ergebnis += zeichen == 't' ? '\t' : zeichen == 'r' ? '\r' : zeichen == 'n' ? '\n' : zeichen;
    }
    return ergebnis;
}

std::vector<Schritt> SpurLesen(const std::filesystem::path& pfad) {
    std::vector<Schritt> schritte;
    std::ifstream strom(pfad);
    if (!strom) {
        throw std::runtime_error("nicht lesbar: " + pfad.string());
    }
    std::string zeile;
    while (std::getline(strom, zeile)) {
        if (zeile.starts_with("> ")) {
            schritte.push_back({Zerlegen(zeile.substr(2), '\t'), {}, {}});
        } else if (schritte.empty()) {
            continue;
        } else if (zeile.starts_with("= ")) {
            schritte.back().Aenderungen.push_back(zeile.substr(2));
        } else if (zeile.starts_with("< ")) {
            for (const std::string& paar : Zerlegen(zeile.substr(2), ' ')) {
                const auto gleich = paar.find('=');
                if (gleich != std::string::npos) {
                    schritte.back().Hashes[paar.substr(0, gleich)] = paar.substr(gleich + 1);
                }
            }
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
    if (teile.size() != 3 || teile[2].size() % 2 != 0) {
        throw std::runtime_error("Dateiänderung unlesbar: " + angabe);
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
        const std::size_t ab = (satz - 1) * satzlaenge + offset;
        if (satz == 0 || offset + bytes.size() > satzlaenge || ab + bytes.size() > datei.size()) {
            throw std::runtime_error("Dateiänderung außerhalb der Datei: " + angabe);
        }
        datei.replace(ab, bytes.size(), bytes);
    }
}

void TextAnwenden(std::vector<Wert>& werte, const std::string& angabe) {
    const std::size_t tab = angabe.find('\t');
    if (tab == std::string::npos) {
        throw std::runtime_error("Textänderung ohne Tabulator: " + angabe);
    }
    const std::string text = Unmaskiert(angabe.substr(tab + 1));
    for (const std::string& name : Zerlegen(angabe.substr(0, tab), ',')) {
        const auto wert = std::find_if(werte.begin(), werte.end(),
                                       [&name](const Wert& w) { return w.Name == name; });
        (wert == werte.end() ? werte.emplace_back(Wert{name, {}, {}}) : *wert).Text = text;
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
        if (teile.size() != 3) {
            throw std::runtime_error("Meldung unlesbar: " + angabe);
        }
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
    for (const std::filesystem::path& datei : dateien) {
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
            // The `=` lines explain the recordings; the recordings decide.
            for (const auto& [name, hash] : Hashes(ist)) {
                ASSERT_EQ(hash, schritt.Hashes.at(name))
                    << ort << name << " weicht vom aufgezeichneten Hash ab, obwohl jeder benannte "
                    << "Wert der Aufzeichnung gleicht";
            }
        }
    }
}

}  // namespace lohnwippe::test
