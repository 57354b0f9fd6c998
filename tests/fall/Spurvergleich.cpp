// What differs between a recorded and a replayed state, said in the terms a
// reader looks for: the fields of a file record, a cell of the result table
// with its row's caption, a control, a message.
#include <algorithm>
#include <array>
#include <map>

#include "Spuren.h"
#include "calc/Ergebniszeilen.h"
#include "calc/Formate.h"
#include "store/Fallsatz.h"
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

template <std::size_t N>
std::array<std::byte, N> Satzbytes(std::string_view satz) {
    std::array<std::byte, N> bytes{};
    std::transform(satz.begin(), satz.begin() + N, bytes.begin(),
                   [](char zeichen) { return static_cast<std::byte>(zeichen); });
    return bytes;
}

std::vector<Wert> Fallfelder(std::string_view bytes) {
    const Fallsatz satz = FallsatzDekodieren(Satzbytes<FallsatzLaenge>(bytes));
    std::vector<Wert> felder;
    const auto feld = [&felder](std::string name, std::string text) {
        felder.push_back({std::move(name), std::move(text), {}});
    };
    const auto je = [](const char* name, int job) {
        return std::string(name) + "[" + std::to_string(job) + "]";
    };
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        feld(je("Namen", job), Zitat(satz.Namen[job]));
    }
    const std::pair<const char*, std::int16_t> zahlen[] = {{"LetzterFall", satz.LetzterFall},
                                                           {"Oben", satz.Oben},
                                                           {"Links", satz.Links},
                                                           {"Oben2", satz.Oben2},
                                                           {"Links2", satz.Links2},
                                                           {"RVVerzicht", satz.RVVerzicht},
                                                           {"SachsenWahl", satz.SachsenWahl},
                                                           {"KinderlosWahl", satz.KinderlosWahl},
                                                           {"TeilmonatPos", satz.TeilmonatPos},
                                                           {"KassePos", satz.KassePos}};
    for (const auto& [name, wert] : zahlen) {
        feld(name, std::to_string(wert));
    }
    std::string reserviert;
    for (const std::byte byte : satz.Reserviert) {
        reserviert += static_cast<char>(byte);
    }
    feld("Reserviert", Hex(reserviert));
    static const std::array zweige = {"KV", "PV", "RV", "AV"};
    static const std::array umlagen = {"U1", "U2", "U3", "KG"};
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        for (std::size_t i = 0; i < zweige.size(); ++i) {
            feld(je("Zweige", job) + "[" + zweige[i] + "]", std::to_string(satz.Zweige[job][i]));
        }
        for (std::size_t i = 0; i < umlagen.size(); ++i) {
            feld(je("Umlagen", job) + "[" + umlagen[i] + "]", std::to_string(satz.Umlagen[job][i]));
        }
        feld(je("Entgelte", job), FormatZahl(satz.Entgelte[job]));
    }
    return felder;
}

std::vector<Wert> Umlagefelder(std::string_view bytes) {
    const Umlagesatz satz = UmlagesatzDekodieren(Satzbytes<UmlagesatzLaenge>(bytes));
    std::vector<Wert> felder;
    for (const auto& [name, saetze] :
         {std::pair{"U1", &satz.U1Saetze}, std::pair{"U2", &satz.U2Saetze},
          std::pair{"U3", &satz.U3Saetze}, std::pair{"KV", &satz.KVSaetze}}) {
        for (std::size_t kasse = 0; kasse < saetze->size(); ++kasse) {
            felder.push_back({std::string(name) + " " + Kassennamen[kasse],
                              std::to_string((*saetze)[kasse]),
                              {}});
        }
    }
    return felder;
}

struct Dateiart {
    const char* Name;
    std::size_t Satzlaenge;
    std::vector<Wert> (*Felder)(std::string_view);
};

class Befunde {
  public:
    explicit Befunde(std::size_t hoechstens) : hoechstens_(hoechstens) {}
    bool Voll() const { return liste_.size() >= hoechstens_; }
    void Neu(std::string befund) {
        if (!Voll()) {
            liste_.push_back(std::move(befund));
        }
    }
    std::vector<std::string> Liste() && { return std::move(liste_); }

  private:
    std::size_t hoechstens_;
    std::vector<std::string> liste_;
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
    if (s.size() == art.Satzlaenge) {
        const std::vector<Wert> sollFelder = art.Felder(s);
        const std::vector<Wert> istFelder = art.Felder(i);
        for (std::size_t k = 0; k < sollFelder.size(); ++k) {
            if (sollFelder[k].Text != istFelder[k].Text) {
                text += ", " + sollFelder[k].Name + ": erwartet " + sollFelder[k].Text + " ist " +
                        istFelder[k].Text;
            }
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

void MeldungenVergleichen(const std::vector<Meldungstext>& soll,
                          const std::vector<Meldungstext>& ist, Befunde& befunde) {
    const auto ganz = [](const Meldungstext& m) {
        return Zitat(m.Titel) + ": " + Zitat(m.Text) + " (Symbol " + std::to_string(m.Symbol) + ")";
    };
    for (std::size_t i = 0; i < std::max(soll.size(), ist.size()); ++i) {
        const std::string meldung = "Meldung " + std::to_string(i + 1);
        if (i >= soll.size()) {
            befunde.Neu(meldung + ": nicht erwartet, ist " + ganz(ist[i]));
        } else if (i >= ist.size()) {
            befunde.Neu(meldung + ": erwartet " + ganz(soll[i]) + ", fehlt");
        } else {
            const std::array<std::pair<const char*, std::pair<std::string, std::string>>, 3> teile =
                {{{"Titel", {soll[i].Titel, ist[i].Titel}},
                  {"Text", {soll[i].Text, ist[i].Text}},
                  {"Symbol", {std::to_string(soll[i].Symbol), std::to_string(ist[i].Symbol)}}}};
            for (const auto& [teil, werte] : teile) {
                if (werte.first != werte.second) {
                    befunde.Neu(meldung + ", " + teil + ": erwartet " + Zitat(werte.first) +
                                " ist " + Zitat(werte.second));
                }
            }
        }
    }
}

}  // namespace

std::vector<std::string> Unterschiede(const Spurzustand& soll, const Spurzustand& ist,
                                      std::size_t hoechstens) {
    Befunde befunde(hoechstens);
    MeldungenVergleichen(soll.Meldungen, ist.Meldungen, befunde);
    DateiVergleichen({FalldateiName, FallsatzLaenge, Fallfelder}, soll.Sv, ist.Sv, befunde);
    DateiVergleichen({UmlagedateiName, UmlagesatzLaenge, Umlagefelder}, soll.U12, ist.U12, befunde);
    TexteVergleichen("Anzeige", soll.Anzeige, ist.Anzeige, befunde);
    if (ist.Fenster) {
        TexteVergleichen("Fenster", soll.Fenster.value_or(std::vector<Wert>{}), *ist.Fenster,
                         befunde);
    }
    return std::move(befunde).Liste();
}

}  // namespace lohnwippe::test
