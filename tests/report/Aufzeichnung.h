#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "report/Bericht.h"

namespace lohnwippe::test {

using Texte = std::vector<std::string>;

// A print surface that writes nothing and keeps every call as a short text
// ("Groesse 12", "XSetzen 700", "Drucken[text]|" with a line end) with the
// font and position it found. A line is 24 twips per point high, a byte
// 100 twips wide.
class Aufzeichnung : public Druckflaeche {
  public:
    struct Aufruf {
        std::string kurz, text, schrift;  // text: what Drucken printed
        double punkte = 0, x = 0, y = 0;
        bool fett = false, hervor = false;
        std::size_t zeile = 0;  // number of the printed line
        bool Druck() const { return kurz.starts_with("Drucken["); }
    };
    mutable std::vector<Aufruf> aufrufe;
    std::size_t scheitertAb = static_cast<std::size_t>(-1);  // this call and all after it fail

    void Schriftart(const std::string& n) override { Merken("Schriftart " + n).schrift = n; }
    void Groesse(double p) override { Merken("Groesse " + Zahl(p)).punkte = p; }
    void Fett(bool an) override { Merken("Fett " + Zahl(an)).fett = an; }
    void Hervorhebung(bool an) override { Merken("Hervorhebung " + Zahl(an)).hervor = an; }
    void XSetzen(double t) override { Merken("XSetzen " + Zahl(t)).x = t; }
    double Y() const override { return Merken("Y").y; }
    void YSetzen(double t) override { Merken("YSetzen " + Zahl(t)).y = t; }
    void Drucken(const std::string& text, bool ende) override {
        Aufruf& z = Merken("Drucken[" + text + (ende ? "]|" : "]"), text);
        z.x = ende ? 0 : z.x + 100 * static_cast<double>(text.size());
        z.y += ende ? 24 * z.punkte : 0;
        z.zeile += ende ? 1 : 0;
    }
    void Beenden() override { Merken("Beenden"); }
    bool Gescheitert() const override { return aufrufe.size() > scheitertAb; }

    // The `n`-th (0-based) printing of exactly this text.
    const Aufruf& Bei(const std::string& text, std::size_t n = 0) const {
        for (const Aufruf& a : aufrufe) {
            if (a.Druck() && a.text == text && n-- == 0) {
                return a;
            }
        }
        throw std::out_of_range("not printed: " + text);
    }

    // The `anzahl` printed lines from number `von` on as text: a text that does not
    // go on where the one before it ended is preceded by its print column
    // "[0]".."[5]" or else "[@x]"; empty texts are left out.
    Texte Zeilen(std::size_t von = 0, std::size_t anzahl = 999, bool schriften = false) const {
        Texte zeilen(jetzt_.zeile + 1);
        double ende = 0;  // x where the last text ended
        for (const Aufruf& a : aufrufe) {
            std::string& z = zeilen[a.zeile];
            const std::string s = a.schrift + " " + Zahl(a.punkte) + (a.fett ? " fett" : "") +
                                  (a.hervor ? " hervor" : "");
            const double k = (a.x - 700) / 1800;
            if (a.Druck() && schriften) {
                z += z.ends_with(s) ? "" : (z.empty() ? "" : ", ") + s;
            } else if (a.Druck() && !a.text.empty()) {
                const bool spalte = k == static_cast<int>(k) && k >= 0 && k <= 5;
                z += a.x == (z.empty() ? 0 : ende) ? ""
                     : spalte                      ? "[" + Zahl(k) + "]"
                                                   : "[@" + Zahl(a.x) + "]";
                z += a.text;
                ende = a.x + 100 * static_cast<double>(a.text.size());
            }
        }
        von = std::min(von, zeilen.size());
        const auto bis = std::min(zeilen.size(), von + anzahl);
        return {zeilen.begin() + static_cast<std::ptrdiff_t>(von),
                zeilen.begin() + static_cast<std::ptrdiff_t>(bis)};
    }
    // The same lines, each as the fonts its texts, empty ones included, were
    // printed in ("Courier New 12 fett hervor").
    Texte Schriften(std::size_t von = 0, std::size_t anzahl = 999) const {
        return Zeilen(von, anzahl, true);
    }

  private:
    static std::string Zahl(double d) {
        char z[32];
        return {z, std::to_chars(z, z + sizeof z, d).ptr};
    }
    // Keeps the call with the state it found; returns the state to change.
    Aufruf& Merken(std::string kurz, std::string text = {}) const {
        aufrufe.push_back(jetzt_);
        aufrufe.back().kurz = std::move(kurz);
        aufrufe.back().text = std::move(text);
        return jetzt_;
    }
    mutable Aufruf jetzt_;
};

// The report of `d` on a fresh recording.
inline Aufzeichnung Gedruckt(const Berichtsdaten& d) {
    Aufzeichnung a;
    if (!BerichtDrucken(d, a)) {
        throw std::runtime_error("the report failed");
    }
    return a;
}

}  // namespace lohnwippe::test
