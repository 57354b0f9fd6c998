#include "calc/Ergebniszeilen.h"

#include "calc/Formate.h"
#include "calc/Satz.h"

namespace lohnwippe {

namespace {

using S = std::size_t;

constexpr int ZeileGekuerzt = 5;

// The value of a line per column, or of one branch or levy of a line.
template <auto Linie>
Waehrung Spalte(const Ergebnis& r, S s) {
    return (r.*Linie)[s];
}
template <auto Linie, int Stelle>
Waehrung Teil(const Ergebnis& r, S s) {
    return (r.*Linie)[s][Stelle];
}

using Zeilenart::Summe;
using Zeilenart::Wert;
using enum Zeilenfarbe;
using T = Titelquelle;

constexpr Ergebniszeile Ueberschrift(T quelle, std::string_view tabelle, std::string_view bericht) {
    return {Zeilenart::Abschnitt, quelle, tabelle, bericht, Lavendel, {}, nullptr, false};
}
constexpr Ergebniszeile Zeile(Zeilenart art, std::string_view titel, Zeilenfarbe farbe,
                              std::string_view linie, Waehrung (*wert)(const Ergebnis&, S),
                              bool vierStellen = false, T quelle = T::Fest) {
    return {art, quelle, titel, titel, farbe, linie, wert, vierStellen};
}

}  // namespace

const std::array<Ergebniszeile, AnzahlErgebniszeilen> Ergebniszeilen{{
    Ueberschrift(T::TeilmonatMal, "1. Beitragspflichtiges Arbeitsentgelt (AE)",
                 "1. Beitragspflichtiges Arbeitsentgelt (AE)"),
    Zeile(Wert, "KV", Keine, "AE", &Teil<&Ergebnis::AE, KV>, true),
    Zeile(Wert, "PV", Keine, "AE", &Teil<&Ergebnis::AE, PV>, true),
    Zeile(Wert, "RV", Keine, "AE", &Teil<&Ergebnis::AE, RV>, true),
    Zeile(Wert, "AV", Keine, "AE", &Teil<&Ergebnis::AE, AV>, true),
    // The table has always run "(AE)" and "gekürzt" together; paper has not.
    Ueberschrift(T::Fest,
                 "2. Entgelt Nr. 1 (AE)gekürzt nach der Formel: F x 400 + (2 - F) x (AE - 400)",
                 "2. Entgelt Nr. 1 (AE) gekürzt nach der Formel: F x 400 + (2 - F) x (AE - 400)"),
    Zeile(Wert, "KV", Keine, "AEGekuerzt", &Teil<&Ergebnis::AEGekuerzt, KV>),
    Zeile(Wert, "PV", Keine, "AEGekuerzt", &Teil<&Ergebnis::AEGekuerzt, PV>),
    Zeile(Wert, "RV", Keine, "AEGekuerzt", &Teil<&Ergebnis::AEGekuerzt, RV>),
    Zeile(Wert, "AV", Keine, "AEGekuerzt", &Teil<&Ergebnis::AEGekuerzt, AV>),
    Ueberschrift(T::TeilmonatDurch, "3. Gesamtbeitrag je SV-Zweig aus 2.",
                 "3. Gesamtbeitrag je SV-Zweig aus 2."),
    Zeile(Wert, "KV", Keine, "Gesamtbeitrag", &Teil<&Ergebnis::Gesamtbeitrag, KV>),
    Zeile(Wert, "PV", Keine, "Gesamtbeitrag", &Teil<&Ergebnis::Gesamtbeitrag, PV>),
    Zeile(Wert, "RV", Keine, "Gesamtbeitrag", &Teil<&Ergebnis::Gesamtbeitrag, RV>),
    Zeile(Wert, "AV", Keine, "Gesamtbeitrag", &Teil<&Ergebnis::Gesamtbeitrag, AV>),
    Zeile(Wert, "Summe", Keine, "GesamtSumme", &Spalte<&Ergebnis::GesamtSumme>),
    Ueberschrift(T::TeilmonatDurch, "4. Arbeitgeberanteil aus 1.", "4. Arbeitgeberanteil aus 1."),
    Zeile(Wert, "KV", Hellgelb, "Arbeitgeberanteil", &Teil<&Ergebnis::Arbeitgeberanteil, KV>),
    Zeile(Wert, "PV", Hellgelb, "Arbeitgeberanteil", &Teil<&Ergebnis::Arbeitgeberanteil, PV>),
    Zeile(Wert, "RV", Hellgelb, "Arbeitgeberanteil", &Teil<&Ergebnis::Arbeitgeberanteil, RV>),
    Zeile(Wert, "AV", Hellgelb, "Arbeitgeberanteil", &Teil<&Ergebnis::Arbeitgeberanteil, AV>),
    Zeile(Summe, "Summe", Gelb, "AGSumme", &Spalte<&Ergebnis::AGSumme>),
    Zeile(Wert, "Umlage U1", Keine, "Umlage", &Teil<&Ergebnis::Umlage, U1>),
    Zeile(Wert, "Umlage U2", Keine, "Umlage", &Teil<&Ergebnis::Umlage, U2>),
    Zeile(Wert, "Umlage U3", Keine, "Umlage", &Teil<&Ergebnis::Umlage, U3>),
    Zeile(Summe, "AG-Aufwand", Hellgrau, "AGAufwand", &Spalte<&Ergebnis::AGAufwand>),
    Ueberschrift(T::Fest, "5. Arbeitnehmeranteil (3. minus 4.)",
                 "5. Arbeitnehmeranteil (Nr. 3 minus Nr. 4)"),
    Zeile(Wert, "KV", Hellgelb, "Arbeitnehmeranteil", &Teil<&Ergebnis::Arbeitnehmeranteil, KV>),
    Zeile(Wert, "PV", Hellgelb, "Arbeitnehmeranteil", &Teil<&Ergebnis::Arbeitnehmeranteil, PV>),
    Zeile(Wert, "RV", Hellgelb, "Arbeitnehmeranteil", &Teil<&Ergebnis::Arbeitnehmeranteil, RV>,
          false, T::RVVerzicht),
    Zeile(Wert, "AV", Hellgelb, "Arbeitnehmeranteil", &Teil<&Ergebnis::Arbeitnehmeranteil, AV>),
    {Wert, T::Zusatzsatz, "% Zusatzbeitr.", "% Zusatzb.", Hellgelb, "Zusatzbeitrag",
     &Spalte<&Ergebnis::Zusatzbeitrag>, true},
    Zeile(Summe, "Summe", Gelb, "ANSumme", &Spalte<&Ergebnis::ANSumme>, true),
    Zeile(Summe, "AN-Netto", Hellgrau, "ANNetto", &Spalte<&Ergebnis::ANNetto>, true),
    Zeile(Wert, "AN-Ersparnis", Keine, "ANErsparnis", &Spalte<&Ergebnis::ANErsparnis>),
}};

std::string Zeilentitel(int zeile, const Ergebnis& ergebnis, bool bericht,
                        bool rvBefreiungAngehakt) {
    const Ergebniszeile& z = Ergebniszeilen.at(static_cast<std::size_t>(zeile));
    std::string text(bericht ? z.Bericht : z.Tabelle);
    const bool vollerMonat = ergebnis.Teilmonatsfaktor <= Waehrung::AusGanzzahl(1);
    switch (z.Quelle) {
        case T::Fest:
            break;
        case T::TeilmonatMal:
        case T::TeilmonatDurch:
            if (!vollerMonat) {
                return text + (z.Quelle == T::TeilmonatMal ? " * " : " / ") + "Teilmonatsfaktor (" +
                       FormatZahl(ergebnis.Teilmonatsfaktor) + ")";
            }
            break;
        case T::Zusatzsatz:
            return SatzText(Satz::AusAnteil(ergebnis.Zusatzsatz), 2) + text;
        case T::RVVerzicht:
            if (bericht && rvBefreiungAngehakt) {
                return text + " voll";
            }
            break;
    }
    return text;
}

std::string Zellentext(Waehrung wert) {
    return "     " + FormatBetrag(wert);
}

std::string Tabellenzelle(int zeile, int spalte, const Ergebnis* ergebnis) {
    const Ergebniszeile& z = Ergebniszeilen.at(static_cast<std::size_t>(zeile));
    static const Ergebnis vorDerRechnung{};
    const Ergebnis& r = ergebnis != nullptr ? *ergebnis : vorDerRechnung;
    if (z.Art == Zeilenart::Abschnitt) {
        const int bis = zeile == ZeileGekuerzt ? SummenSpalte : LetzterJob;
        if (spalte >= 2 && spalte <= bis) {
            return Zeilentitel(zeile, r, false);
        }
        return zeile == 0 && spalte == SummenSpalte ? "Summe     " : "";
    }
    if (spalte == 0) {
        // The rate caption of row 31 comes with the first result.
        return ergebnis == nullptr && z.Quelle == Titelquelle::Zusatzsatz
                   ? "Zusatzbeiträge"
                   : Zeilentitel(zeile, r, false);
    }
    return ergebnis == nullptr ? "" : Zellentext(z.Wert(r, static_cast<std::size_t>(spalte)));
}

}  // namespace lohnwippe
