#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "report/Druckflaeche.h"

namespace lohnwippe {

// What the reports of every year share: the print columns and the surface
// with the stop rule.

// The rules under the header and over the footer.
inline const std::string Linie83(83, '_');
inline const std::string Linie98(98, '_');

// Column 0 holds the labels, columns 1 to 5 the employments and their total,
// numbered like the columns of `Ergebnis`.
constexpr int AnzahlDruckspalten = 6;
constexpr double ErsteDruckspalte = 700;
constexpr double Spaltenbreite = 1800;

// A page printer draws the rule under a section caption 200 twips up
// against the caption and takes the following empty line back; a line
// printer cannot move up the page.
constexpr double Hochruecken = 200;

// The surface with the report's stop rule: after every operation the
// surface is asked whether it failed, and from the first failure on nothing
// more reaches it. The report itself then reads as the plain sequence of
// its lines.
class Ausgabe {
  public:
    Ausgabe(Druckflaeche& flaeche, bool zeilendrucker)
        : flaeche_(flaeche), zeilendrucker_(zeilendrucker) {
        for (int k = 0; k < AnzahlDruckspalten; ++k) {
            druckspalte_[static_cast<std::size_t>(k)] = ErsteDruckspalte + Spaltenbreite * k;
        }
    }

    bool Ok() const { return ok_; }

    void Schriftart(const std::string& name) {
        if (ok_) {
            flaeche_.Schriftart(name);
            Pruefen();
        }
    }
    void Groesse(double punkte) {
        if (ok_) {
            flaeche_.Groesse(punkte);
            Pruefen();
        }
    }
    void Fett(bool an) {
        if (ok_) {
            flaeche_.Fett(an);
            Pruefen();
        }
    }
    void Hervorhebung(bool an) {
        if (ok_) {
            flaeche_.Hervorhebung(an);
            Pruefen();
        }
    }
    void Spalte(int k) {
        if (ok_) {
            flaeche_.XSetzen(druckspalte_[static_cast<std::size_t>(k)]);
            Pruefen();
        }
    }
    void Text(const std::string& text, bool zeilenende = false) {
        if (ok_) {
            flaeche_.Drucken(text, zeilenende);
            Pruefen();
        }
    }
    void InSpalte(int k, const std::string& text, bool zeilenende = false) {
        Spalte(k);
        Text(text, zeilenende);
    }
    void LeereZeile() { Text(std::string(), true); }
    void Hoch() {
        if (ok_ && !zeilendrucker_) {
            const double y = flaeche_.Y();
            Pruefen();
            if (ok_) {
                flaeche_.YSetzen(y - Hochruecken);
                Pruefen();
            }
        }
    }
    // The payroll office's two lines with today's date beside the first,
    // and the report's title, 14 point bold; the font stays so.
    void Kopf(const std::string& stelle1, const std::string& stelle2, const std::string& datum,
              const std::string& titel) {
        Schriftart("Times new roman");
        Groesse(10);
        Fett(false);
        LeereZeile();
        InSpalte(0, stelle1);
        InSpalte(4, datum, true);
        InSpalte(0, stelle2, true);
        Groesse(14);
        Fett(true);
        LeereZeile();
        InSpalte(0, titel, true);
    }

    // A section caption of the result rows, with the rule under it. One
    // that follows a total row takes back that row's size and emphasis
    // itself (`nachSumme`), since captions set only font and bold.
    void Abschnitt(const std::string& text, bool nachSumme) {
        LeereZeile();
        Spalte(1);
        if (nachSumme) {
            Groesse(10);
            Hervorhebung(false);
        }
        Schriftart("Times Roman");
        Fett(true);
        Text(text, true);
        Fett(false);
        Hoch();
        InSpalte(0, Linie98, true);
        LeereZeile();
        Hoch();
    }

    void Beenden() {
        if (ok_) {
            flaeche_.Beenden();
            Pruefen();
        }
    }

  private:
    void Pruefen() { ok_ = !flaeche_.Gescheitert(); }

    Druckflaeche& flaeche_;
    const bool zeilendrucker_;
    std::array<double, AnzahlDruckspalten> druckspalte_{};
    bool ok_ = true;
};

}  // namespace lohnwippe
