// What differs between a recorded and a replayed state, said in the terms a
// reader looks for: the fields of a file record, a cell of the result table
// with its row's caption, a control, a message.
#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <map>

#include "Spuren.h"
#include "calc/Ergebniszeilen.h"
#include "calc/Formate.h"
#include "store/Cp1252.h"
#include "store/Satznummern.h"
#include "store/Umlagesatz.h"

namespace lohnwippe::test {
namespace {

std::string Zitat(std::string_view text) {
    return "„" + Maskiert(text) + "“";
}

// At most 16 bytes; a longer change is cut, its byte range is named anyway.
std::string Hex(std::string_view bytes) {
    static const char* ziffern = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && i < 16; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text += ziffern[byte >> 4];
        text += ziffern[byte & 0xf];
    }
    return bytes.size() > 16 ? text + "…" : text;
}

// The signed little-endian number of `bytes` (two or eight of them).
std::int64_t Zahl(std::string_view bytes) {
    std::uint64_t wert = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        wert = wert << 8U | static_cast<unsigned char>(bytes[i]);
    }
    const std::size_t bits = 8 * bytes.size();
    return bits < 64 && (wert >> (bits - 1)) != 0
               ? static_cast<std::int64_t>(wert - (std::uint64_t{1} << bits))
               : static_cast<std::int64_t>(wert);
}

// A field of a record: where it lies and how its bytes read.
struct Feld {
    std::size_t Ab;
    std::size_t Laenge;
    std::string Name;
    std::string (*Text)(std::string_view);
};

std::string Ganzzahl(std::string_view bytes) {
    return std::to_string(Zahl(bytes));
}

std::vector<Feld> Fallfelder() {
    static const char* const einstellungen[] = {
        "LetzterFall", "Oben",        "Links",         "Oben2",        "Links2",
        "RVVerzicht",  "SachsenWahl", "KinderlosWahl", "TeilmonatPos", "KassePos"};
    static const char* const schalter[] = {"KV", "PV", "RV", "AV", "U1", "U2", "U3", "KG"};
    std::vector<Feld> felder;
    for (std::size_t i = 0; i < std::size(einstellungen); ++i) {
        felder.push_back({80 + 2 * i, 2, einstellungen[i], Ganzzahl});
    }
    felder.push_back({100, 8, "Reserviert", Hex});
    for (std::size_t j = 0; j < LetzterJob; ++j) {
        const std::string job = "[" + std::to_string(j + 1) + "]";
        felder.push_back(
            {20 * j, 20, "Namen" + job, [](std::string_view b) { return Zitat(AusCp1252(b)); }});
        for (std::size_t k = 0; k < std::size(schalter); ++k) {
            felder.push_back({(k < 4 ? 108 : 136) + 8 * j + 2 * k, 2,
                              (k < 4 ? "Zweige" : "Umlagen") + job + "[" + schalter[k] + "]",
                              Ganzzahl});
        }
        felder.push_back({172 + 8 * j, 8, "Entgelte" + job, [](std::string_view b) {
                              return FormatZahl(Waehrung::AusRoh(Zahl(b)));
                          }});
    }
    return felder;
}

std::vector<Feld> Umlagefelder() {
    std::vector<Feld> felder;
    for (std::size_t art = 0; art < 4; ++art) {
        for (std::size_t kasse = 0; kasse < AnzahlKassen; ++kasse) {
            felder.push_back({2 * (AnzahlKassen * art + kasse), 2,
                              std::string(art == 3 ? "KV" : "U" + std::to_string(art + 1)) + " " +
                                  Kassennamen[kasse],
                              Ganzzahl});
        }
    }
    return felder;
}

struct Dateiart {
    const char* Name;
    std::size_t Satzlaenge;
    std::vector<Feld> Felder;
};

// At most `hoechstens` findings; the rest would repeat what they say.
struct Befunde {
    std::size_t Hoechstens;
    std::vector<std::string> Liste;
    bool Voll() const { return Liste.size() >= Hoechstens; }
    void Neu(std::string befund) {
        if (!Voll()) {
            Liste.push_back(std::move(befund));
        }
    }
};

// What differs within one record: the fields as decoded, then the bytes.
std::string Satzunterschied(const Dateiart& art, std::string_view s, std::string_view i) {
    std::size_t erstes = 0;
    while (s[erstes] == i[erstes]) {
        ++erstes;
    }
    std::size_t letztes = s.size() - 1;
    while (s[letztes] == i[letztes]) {
        --letztes;
    }
    std::string text;
    for (const Feld& feld : art.Felder) {
        const auto bytes = [&feld](std::string_view satz) {
            return satz.substr(std::min(feld.Ab, satz.size()), feld.Laenge);
        };
        if (s.size() == art.Satzlaenge && bytes(s) != bytes(i)) {
            text += ", " + feld.Name + ": erwartet " + feld.Text(bytes(s)) + " ist " +
                    feld.Text(bytes(i));
        }
    }
    const std::size_t anzahl = letztes - erstes + 1;
    return text + " (" + (anzahl == 1 ? "Byte " : "Bytes ") + std::to_string(erstes) +
           (anzahl == 1 ? "" : "–" + std::to_string(letztes)) + ": erwartet " +
           Hex(s.substr(erstes, anzahl)) + " ist " + Hex(i.substr(erstes, anzahl)) + ")";
}

// Neighbouring records that differ alike are one finding: a fault in
// writing a record shows in all 600 that were written alike.
void DateiVergleichen(const Dateiart& art, std::string_view soll, std::string_view ist,
                      Befunde& befunde) {
    if (soll.size() != ist.size()) {
        befunde.Neu(std::string(art.Name) + ": erwartet " + std::to_string(soll.size()) +
                    " Bytes, ist " + std::to_string(ist.size()));
    }
    std::size_t von = 0;
    std::size_t bis = 0;
    std::string lauf;
    const auto melden = [&] {
        if (von != 0) {
            befunde.Neu(std::string(art.Name) + (von == bis ? " Satz " : " Sätze ") +
                        std::to_string(von) + (von == bis ? "" : "–" + std::to_string(bis)) + lauf);
        }
        von = 0;
    };
    const std::size_t ende = std::min(soll.size(), ist.size());
    for (std::size_t ab = 0; ab < ende && !befunde.Voll(); ab += art.Satzlaenge) {
        const std::string_view s = soll.substr(ab, std::min(art.Satzlaenge, ende - ab));
        const std::string_view i = ist.substr(ab, s.size());
        const std::size_t satz = ab / art.Satzlaenge + 1;
        if (s == i) {
            melden();
            continue;
        }
        std::string unterschied = Satzunterschied(art, s, i);
        if (von != 0 && unterschied == lauf) {
            bis = satz;
            continue;
        }
        melden();
        von = bis = satz;
        lauf = std::move(unterschied);
    }
    melden();
}

// A cell ("12.2") by its row's caption, which says more than its number.
std::string Bezeichnung(const char* gruppe, const std::string& name) {
    const std::size_t punkt = name.find('.');
    if (std::string_view(gruppe) != "Anzeige" || punkt == std::string::npos) {
        return std::string(gruppe) + " " + name;
    }
    const int zeile = std::stoi(name.substr(0, punkt));
    std::string text = "Zelle Zeile " + std::to_string(zeile);
    if (zeile >= 0 && zeile < AnzahlErgebniszeilen) {
        text += " " + Zitat(Ergebniszeilen[static_cast<std::size_t>(zeile)].Tabelle);
    }
    return text + ", Spalte " + name.substr(punkt + 1);
}

void TexteVergleichen(const char* gruppe, const std::vector<Wert>& soll,
                      const std::vector<Wert>& ist, Befunde& befunde) {
    std::map<std::string_view, const std::string*> erwartet;
    for (const Wert& wert : soll) {
        erwartet[wert.Name] = &wert.Text;
    }
    for (const Wert& wert : ist) {
        const auto gefunden = erwartet.find(wert.Name);
        if (gefunden == erwartet.end()) {
            befunde.Neu(Bezeichnung(gruppe, wert.Name) + ": nicht aufgezeichnet, ist " +
                        Zitat(wert.Text));
            continue;
        }
        if (*gefunden->second != wert.Text) {
            befunde.Neu(Bezeichnung(gruppe, wert.Name) + ": erwartet " + Zitat(*gefunden->second) +
                        " ist " + Zitat(wert.Text));
        }
        erwartet.erase(gefunden);
    }
    for (const auto& [name, text] : erwartet) {
        befunde.Neu(Bezeichnung(gruppe, std::string(name)) + ": erwartet " + Zitat(*text) +
                    ", fehlt");
    }
}

// A message's title, text and symbol as three texts, numbered in order.
std::vector<Wert> Meldungswerte(const std::vector<Meldungstext>& meldungen) {
    std::vector<Wert> werte;
    for (std::size_t i = 0; i < meldungen.size(); ++i) {
        const std::string nr = std::to_string(i + 1);
        werte.push_back({nr + ", Titel", meldungen[i].Titel});
        werte.push_back({nr + ", Text", meldungen[i].Text});
        werte.push_back({nr + ", Symbol", std::to_string(meldungen[i].Symbol)});
    }
    return werte;
}

}  // namespace

std::vector<std::string> Unterschiede(const Spurzustand& soll, const Spurzustand& ist,
                                      std::size_t hoechstens) {
    Befunde befunde{hoechstens, {}};
    TexteVergleichen("Meldung", Meldungswerte(soll.Meldungen), Meldungswerte(ist.Meldungen),
                     befunde);
    DateiVergleichen({FalldateiName, FallsatzLaenge, Fallfelder()}, soll.Sv, ist.Sv, befunde);
    DateiVergleichen({UmlagedateiName, UmlagesatzLaenge, Umlagefelder()}, soll.U12, ist.U12,
                     befunde);
    TexteVergleichen("Anzeige", soll.Anzeige, ist.Anzeige, befunde);
    if (ist.Fenster) {
        TexteVergleichen("Fenster", soll.Fenster.value_or(std::vector<Wert>{}), *ist.Fenster,
                         befunde);
    }
    return std::move(befunde.Liste);
}

}  // namespace lohnwippe::test
