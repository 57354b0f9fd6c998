#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "Druckflaeche.h"

namespace lohnwippe {

// A print surface that writes nothing and remembers every call. It keeps x
// and y the way a printer does, with a fixed line height and a fixed width
// per byte, so that tests can follow where each text lands.
class Aufzeichnung : public Druckflaeche {
  public:
    static constexpr double Zeilenhoehe = 240;
    static constexpr double Zeichenbreite = 100;

    enum class Art {
        Schriftart,
        Groesse,
        Fett,
        Hervorhebung,
        XSetzen,
        Y,
        YSetzen,
        Drucken,
        Beenden
    };

    // One call with its argument, and the font and position the surface had
    // when it came.
    struct Aufruf {
        Art art = Art::Beenden;
        std::string text;  // Schriftart, Drucken
        double zahl = 0;   // Groesse, XSetzen, YSetzen
        bool an = false;   // Fett, Hervorhebung, Drucken: line end
        std::string schrift;
        double punkte = 0;
        bool fett = false, hervorgehoben = false;
        double x = 0, y = 0;
    };

    // Mutable because reading y is a call worth recording too.
    mutable std::vector<Aufruf> aufrufe;
    double x = 0, y = 0;
    std::string schrift;
    double punkte = 0;
    bool fett = false, hervorgehoben = false;

    // From the call with this index (0-based) on, every call fails.
    std::size_t scheitertAb = static_cast<std::size_t>(-1);

    void Schriftart(const std::string& name) override {
        schrift = name;
        Merken(Art::Schriftart, name);
    }
    void Groesse(double p) override {
        punkte = p;
        Merken(Art::Groesse, {}, p);
    }
    void Fett(bool an) override {
        fett = an;
        Merken(Art::Fett, {}, 0, an);
    }
    void Hervorhebung(bool an) override {
        hervorgehoben = an;
        Merken(Art::Hervorhebung, {}, 0, an);
    }
    void XSetzen(double twips) override {
        x = twips;
        Merken(Art::XSetzen, {}, twips);
    }
    double Y() const override {
        Merken(Art::Y, {}, y);
        return y;
    }
    void YSetzen(double twips) override {
        y = twips;
        Merken(Art::YSetzen, {}, twips);
    }
    void Drucken(const std::string& text, bool zeilenende) override {
        Merken(Art::Drucken, text, 0, zeilenende);
        if (zeilenende) {
            x = 0;
            y += Zeilenhoehe;
        } else {
            x += Zeichenbreite * static_cast<double>(text.size());
        }
    }
    void Beenden() override { Merken(Art::Beenden); }
    bool Gescheitert() const override { return aufrufe.size() > scheitertAb; }

    std::size_t Anzahl(Art art) const {
        std::size_t n = 0;
        for (const Aufruf& a : aufrufe) {
            n += a.art == art ? 1 : 0;
        }
        return n;
    }

  private:
    // Every call keeps the font and position it found.
    void Merken(Art art, const std::string& text = {}, double zahl = 0, bool an = false) const {
        Aufruf a;
        a.art = art;
        a.text = text;
        a.zahl = zahl;
        a.an = an;
        a.schrift = schrift;
        a.punkte = punkte;
        a.fett = fett;
        a.hervorgehoben = hervorgehoben;
        a.x = x;
        a.y = y;
        aufrufe.push_back(std::move(a));
    }
};

// A call as a short text for readable comparisons of whole sequences:
// "Groesse 12", "Fett 1", "XSetzen 700", "Drucken[text]" and "Drucken[text]|"
// with a line end.
inline std::string Kurz(const Aufzeichnung::Aufruf& a) {
    auto zahl = [](double z) {
        std::string t = std::to_string(z);
        t.erase(t.find_last_not_of('0') + 1);
        if (t.back() == '.') {
            t.pop_back();
        }
        return t;
    };
    switch (a.art) {
        case Aufzeichnung::Art::Schriftart:
            return "Schriftart " + a.text;
        case Aufzeichnung::Art::Groesse:
            return "Groesse " + zahl(a.zahl);
        case Aufzeichnung::Art::Fett:
            return std::string("Fett ") + (a.an ? "1" : "0");
        case Aufzeichnung::Art::Hervorhebung:
            return std::string("Hervorhebung ") + (a.an ? "1" : "0");
        case Aufzeichnung::Art::XSetzen:
            return "XSetzen " + zahl(a.zahl);
        case Aufzeichnung::Art::Y:
            return "Y";
        case Aufzeichnung::Art::YSetzen:
            return "YSetzen " + zahl(a.zahl);
        case Aufzeichnung::Art::Drucken:
            return "Drucken[" + a.text + "]" + (a.an ? "|" : "");
        case Aufzeichnung::Art::Beenden:
            break;
    }
    return "Beenden";
}

// The calls from index `von` on, `anzahl` of them, as short texts.
inline std::vector<std::string> Folge(const Aufzeichnung& a, std::size_t von, std::size_t anzahl) {
    std::vector<std::string> folge;
    for (std::size_t i = von; i < von + anzahl && i < a.aufrufe.size(); ++i) {
        folge.push_back(Kurz(a.aufrufe[i]));
    }
    return folge;
}

// Index of the first Drucken call with exactly this text, or the number of
// calls when there is none.
inline std::size_t IndexVon(const Aufzeichnung& a, const std::string& text) {
    std::size_t i = 0;
    while (i < a.aufrufe.size() &&
           !(a.aufrufe[i].art == Aufzeichnung::Art::Drucken && a.aufrufe[i].text == text)) {
        ++i;
    }
    return i;
}

// The printed page as lines of texts: each text with the print column its
// line's last XSetzen chose (-1 before any XSetzen of the line, -2 for an
// x that is no print column). Empty texts are left out.
struct Eintrag {
    int spalte;
    std::string text;
    const Aufzeichnung::Aufruf* aufruf;
};
using Druckzeile = std::vector<Eintrag>;

inline int SpalteVon(double x) {
    for (int k = 0; k <= 5; ++k) {
        if (x == 700 + 1800 * k) {
            return k;
        }
    }
    return -2;
}

inline std::vector<Druckzeile> Zeilen(const Aufzeichnung& a) {
    std::vector<Druckzeile> zeilen(1);
    int spalte = -1;
    for (const Aufzeichnung::Aufruf& r : a.aufrufe) {
        if (r.art == Aufzeichnung::Art::XSetzen) {
            spalte = SpalteVon(r.zahl);
        } else if (r.art == Aufzeichnung::Art::Drucken) {
            if (!r.text.empty()) {
                zeilen.back().push_back({spalte, r.text, &r});
            }
            if (r.an) {
                zeilen.emplace_back();
                spalte = -1;
            }
        }
    }
    zeilen.pop_back();  // nothing follows the last line end
    return zeilen;
}

// All texts of a line at column `k`, joined.
inline std::string TextIn(const Druckzeile& z, int k) {
    std::string text;
    for (const Eintrag& e : z) {
        if (e.spalte == k) {
            text += e.text;
        }
    }
    return text;
}

// The line as (column, text) pairs, texts of one column joined.
inline std::vector<std::pair<int, std::string>> Spalten(const Druckzeile& z) {
    std::vector<std::pair<int, std::string>> paare;
    for (const Eintrag& e : z) {
        if (!paare.empty() && paare.back().first == e.spalte) {
            paare.back().second += e.text;
        } else {
            paare.emplace_back(e.spalte, e.text);
        }
    }
    return paare;
}

}  // namespace lohnwippe
